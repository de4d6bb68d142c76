#include "AccessFixture.h"
#include "access/AccessSession.h"
#include "access/AccessTables.h"
#include "access/DataLayerAccessRepository.h"
#include "access/RecordMapping.h"
#include "platform/data/Dictionary.h"
#include "platform/data/FileManager.h"
#include "platform/data/Session.h"
#include "platform/data/Store.h"
#include "support/PostgresServer.h"

#include <QSqlDatabase>

#include <thread>

namespace tarvo::access::test {

namespace {

using data::StoreKind;

// The same, before the login has made the store.
class NewAccessStore : public Store {
  protected:
    bool createsStore() const override { return false; }
};

// The declared insert defaults and the defaults of the record types are one and the same.
template <class R> void expectDefaultsMatch(const char *label, const std::vector<FieldBinding<R>> &columns)
{
    const auto *file = accessDictionary().file(QString::fromLatin1(label));
    ASSERT_NE(file, nullptr);
    const R fresh;
    for (const auto &c : columns) {
        QString declared = QStringLiteral("0");
        for (const auto &[field, value] : file->insertDefaults)
            if (field == c.field)
                declared = value;
        const QString actual = c.get(fresh).toString();
        EXPECT_EQ(actual.isEmpty() ? QStringLiteral("0") : actual, declared)
            << label << ":" << qPrintable(c.field);
    }
}

int storeConnections()
{
    int n = 0;
    for (const QString &name : QSqlDatabase::connectionNames())
        n += name.startsWith(QStringLiteral("tarvo-store")) ? 1 : 0;
    return n;
}

} // namespace

TEST(AccessTables, DeclaredDefaultsMatchTheRecords)
{
    expectDefaultsMatch("Benutzer", userFields());
    expectDefaultsMatch("Options", optionsFields());
    EXPECT_EQ(accessDictionary().file(QStringLiteral("ProgramLimit"))->tableName,
              QStringLiteral("ProgLimit"));
}

TEST_P(Store, CodesFoldNonAsciiLetters)
{
    addUser(QStringLiteral("MÜLLER"), QStringLiteral("pw"));
    UserRecord twin;
    twin.mak = QStringLiteral("müller");
    EXPECT_FALSE(m_repo->insertUser(twin).ok());
    auto found = m_repo->user(QStringLiteral("Müller"));
    ASSERT_TRUE(found.ok() && found->has_value());
    EXPECT_EQ((*found)->mak, QStringLiteral("MÜLLER"));
}

TEST_P(Store, TextsAreCutToTheirWidthAndClipped)
{
    addUser(QStringLiteral("anna  "), QStringLiteral("pw"),
            [](UserRecord &u) { u.plz = QStringLiteral("1234567"); });
    const UserRecord u = storedUser(QStringLiteral("anna"));
    EXPECT_EQ(u.mak, QStringLiteral("anna"));
    EXPECT_EQ(u.plz, QStringLiteral("12345"));
}

TEST_P(Store, RenameAndDeleteCarryIntoDependentRows)
{
    addUser(QStringLiteral("anna"), QStringLiteral("pw"));
    addUser(QStringLiteral("bert"), QStringLiteral("pw"));
    ASSERT_TRUE(m_repo->grant(QStringLiteral("anna"), 1).ok());
    ASSERT_TRUE(m_repo->grant(QStringLiteral("ANNA"), 1).ok()); // a second grant stays one row
    ASSERT_TRUE(m_repo->grant(QStringLiteral("ANNA"), 2).ok()); // under another spelling of the code
    ASSERT_TRUE(m_repo->grant(QStringLiteral("bert"), 1).ok());
    ASSERT_TRUE(m_repo
                    ->addProgramLimit(QStringLiteral("anna"),
                                      QStringLiteral("Tarvo") + QChar(0xB0) + QStringLiteral("12"))
                    .ok());
    ASSERT_TRUE(m_repo->addPasswordHistory({QStringLiteral("Anna"), QStringLiteral("h1"), 100}).ok());
    EXPECT_EQ(m_repo->grants(QStringLiteral("anna"))->size(), 2u);

    UserRecord renamed = storedUser(QStringLiteral("anna"));
    renamed.mak = QStringLiteral("annabel");
    ASSERT_TRUE(m_repo->updateUser(QStringLiteral("anna"), renamed).ok());
    EXPECT_EQ(m_repo->grants(QStringLiteral("annabel"))->size(), 2u);
    EXPECT_EQ(m_repo->programLimits(QStringLiteral("annabel"))->size(), 1u);
    EXPECT_EQ(m_repo->passwordHistory(QStringLiteral("annabel"))->size(), 1u);
    EXPECT_TRUE(m_repo->grants(QStringLiteral("anna"))->empty());

    ASSERT_TRUE(m_repo->deleteUser(QStringLiteral("ANNABEL")).ok());
    EXPECT_TRUE(m_repo->grants(QStringLiteral("annabel"))->empty());
    EXPECT_TRUE(m_repo->programLimits(QStringLiteral("annabel"))->empty());
    EXPECT_TRUE(m_repo->passwordHistory(QStringLiteral("annabel"))->empty());
    EXPECT_FALSE(m_repo->user(QStringLiteral("annabel"))->has_value());
    EXPECT_EQ(m_repo->grants(QStringLiteral("bert"))->size(), 1u); // other users keep theirs
}

TEST_P(Store, AFailedTransactionLeavesNothingBehind)
{
    const auto result = m_repo->transaction([&]() -> Result<void> {
        (void)m_repo->grant(QStringLiteral("anna"), 1);
        return makeError(1, QStringLiteral("stop"));
    });
    EXPECT_FALSE(result.ok());
    EXPECT_TRUE(m_repo->grants(QStringLiteral("anna"))->empty());
}

TEST_P(Store, ARefusedWriteInsideATransactionLetsTheRestGoOn)
{
    addUser(QStringLiteral("anna"), QStringLiteral("pw"));
    const auto result = m_repo->transaction([&]() -> Result<void> {
        UserRecord twin;
        twin.mak = QStringLiteral("ANNA");
        EXPECT_FALSE(m_repo->insertUser(twin).ok());
        return m_repo->grant(QStringLiteral("anna"), 7);
    });
    ASSERT_TRUE(result.ok()) << result.error().message.toStdString();
    EXPECT_EQ(m_repo->grants(QStringLiteral("anna")).value(), std::vector<qint32>{7});
    EXPECT_EQ(m_repo->users()->size(), 1u);
}

TEST_P(Store, WorkerThreadsUseTheirOwnSessionsAndGiveThemBack)
{
    addUser(QStringLiteral("anna"), QStringLiteral("pw"));
    auto *repo = dynamic_cast<DataLayerAccessRepository *>(m_repo.get());
    ASSERT_NE(repo, nullptr);
    const int sessionsBefore = repo->threadSessions();
    const int connectionsBefore = storeConnections();
    std::atomic<int> failures{0};
    std::vector<std::thread> threads;
    for (int t = 0; t < 4; ++t)
        threads.emplace_back([&, t] {
            const QString code = QStringLiteral("worker%1").arg(t);
            UserRecord u;
            u.mak = code;
            if (!m_repo->insertUser(u).ok())
                ++failures;
            for (qint32 id = 1; id <= 10; ++id)
                if (!m_repo->grant(code, id).ok() || !m_repo->user(QStringLiteral("ANNA"))->has_value())
                    ++failures;
        });
    for (auto &t : threads)
        t.join();
    EXPECT_EQ(failures, 0);
    EXPECT_EQ(m_repo->users()->size(), 5u);
    EXPECT_EQ(m_repo->grants(QStringLiteral("WORKER3"))->size(), 10u);
    EXPECT_EQ(repo->threadSessions(), sessionsBefore);
    EXPECT_EQ(storeConnections(), connectionsBefore);
}

TEST_P(NewAccessStore, OlderLayoutsAreConvertedOnOpen)
{
    // A store written by the previous release: users without the failed-login count, options
    // without the expiry mark of the master password.
    data::DictionaryDecl older = accessDictionary();
    for (auto &f : older.files) {
        const QString dropped = f.label == u"Benutzer"  ? QStringLiteral("FEHLVERSUCHE")
                                : f.label == u"Options" ? QStringLiteral("MASTERABGELAUFEN")
                                                        : QString();
        if (dropped.isEmpty())
            continue;
        --f.version;
        std::erase_if(f.fields, [&](const data::FieldDecl &d) { return d.name == dropped; });
    }
    {
        auto dictionary = data::Dictionary::open(older, dataFolder(), QStringLiteral("Vuvuzu"));
        ASSERT_TRUE(dictionary.ok());
        auto session = (*dictionary)->createSession(1, nullptr);
        for (const char *label : {table::Benutzer, table::Options}) {
            data::FileManager *fm = session->file(QString::fromLatin1(label));
            data::Record r = fm->newRecord();
            ASSERT_TRUE(fm->primeRecord(r).ok());
            r.setValue(QStringLiteral("MAK"), QStringLiteral("anna"));
            r.setValue(QStringLiteral("ID"), 1);
            ASSERT_TRUE(fm->insert(r).ok());
        }
        session.reset();
        (*dictionary)->store().releaseConnection();
    }
    ASSERT_TRUE(m_repo->exists());
    ASSERT_TRUE(m_repo->create().ok());
    const UserRecord anna = storedUser(QStringLiteral("ANNA"));
    EXPECT_EQ(anna.fehlversuche, 0);
    EXPECT_EQ(anna.typ, 1);
    auto options = m_repo->options();
    ASSERT_TRUE(options.ok() && options->has_value());
    EXPECT_EQ((*options)->masterAbgelaufen, 1);
    EXPECT_EQ((*options)->masterMak, QStringLiteral("wkz"));
}

TEST_P(NewAccessStore, IsMissingUntilCreated)
{
    EXPECT_FALSE(m_repo->exists());
    ASSERT_TRUE(m_repo->create().ok());
    EXPECT_TRUE(m_repo->exists());
    EXPECT_TRUE(m_repo->users()->empty());
    EXPECT_FALSE(m_repo->options()->has_value());
}

INSTANTIATE_TEST_SUITE_P(Stores, Store, ::testing::Values(StoreKind::Sqlite, StoreKind::Postgres), storeName);
INSTANTIATE_TEST_SUITE_P(Stores, NewAccessStore, ::testing::Values(StoreKind::Sqlite, StoreKind::Postgres),
                         storeName);

} // namespace tarvo::access::test
