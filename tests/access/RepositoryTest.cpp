#include "AccessFixture.h"
#include "access/AccessSession.h"
#include "access/AccessTables.h"
#include "access/SqlRecordMapping.h"

namespace tarvo::access::test {

namespace {

class Store : public AccessFixture {
  protected:
    void SetUp() override
    {
        AccessFixture::SetUp();
        createStore();
        m_repo = AccessSession::repository();
    }
    std::shared_ptr<AccessRepository> m_repo;
};

// The declared insert defaults and the defaults of the record types are one and the same.
template <class R> void expectDefaultsMatch(const char *label, const std::vector<SqlColumn<R>> &columns)
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

} // namespace

TEST(AccessTables, DeclaredDefaultsMatchTheRecords)
{
    expectDefaultsMatch("Benutzer", userColumns());
    expectDefaultsMatch("Options", optionsColumns());
    EXPECT_EQ(accessDictionary().file(QStringLiteral("ProgramLimit"))->tableName,
              QStringLiteral("ProgLimit"));
}

TEST_F(Store, CodesFoldNonAsciiLetters)
{
    addUser(QStringLiteral("MÜLLER"), QStringLiteral("pw"));
    UserRecord twin;
    twin.mak = QStringLiteral("müller");
    EXPECT_FALSE(m_repo->insertUser(twin).ok());
    auto found = m_repo->user(QStringLiteral("Müller"));
    ASSERT_TRUE(found.ok() && found->has_value());
    EXPECT_EQ((*found)->mak, QStringLiteral("MÜLLER"));
}

TEST_F(Store, TextsAreCutToTheirWidthAndClipped)
{
    addUser(QStringLiteral("anna  "), QStringLiteral("pw"),
            [](UserRecord &u) { u.plz = QStringLiteral("1234567"); });
    const UserRecord u = storedUser(QStringLiteral("anna"));
    EXPECT_EQ(u.mak, QStringLiteral("anna"));
    EXPECT_EQ(u.plz, QStringLiteral("12345"));
}

TEST_F(Store, RenameAndDeleteCarryIntoDependentRows)
{
    addUser(QStringLiteral("anna"), QStringLiteral("pw"));
    ASSERT_TRUE(m_repo->grant(QStringLiteral("anna"), 1).ok());
    ASSERT_TRUE(m_repo->grant(QStringLiteral("ANNA"), 1).ok()); // a second grant stays one row
    ASSERT_TRUE(m_repo
                    ->addProgramLimit(QStringLiteral("anna"),
                                      QStringLiteral("Tarvo") + QChar(0xB0) + QStringLiteral("12"))
                    .ok());
    ASSERT_TRUE(m_repo->addPasswordHistory({QStringLiteral("anna"), QStringLiteral("h1"), 100}).ok());
    EXPECT_EQ(m_repo->grants(QStringLiteral("anna"))->size(), 1u);

    UserRecord renamed = storedUser(QStringLiteral("anna"));
    renamed.mak = QStringLiteral("annabel");
    ASSERT_TRUE(m_repo->updateUser(QStringLiteral("anna"), renamed).ok());
    EXPECT_EQ(m_repo->grants(QStringLiteral("annabel"))->size(), 1u);
    EXPECT_EQ(m_repo->programLimits(QStringLiteral("annabel"))->size(), 1u);
    EXPECT_EQ(m_repo->passwordHistory(QStringLiteral("annabel"))->size(), 1u);
    EXPECT_TRUE(m_repo->grants(QStringLiteral("anna"))->empty());

    ASSERT_TRUE(m_repo->deleteUser(QStringLiteral("ANNABEL")).ok());
    EXPECT_TRUE(m_repo->grants(QStringLiteral("annabel"))->empty());
    EXPECT_TRUE(m_repo->programLimits(QStringLiteral("annabel"))->empty());
    EXPECT_TRUE(m_repo->passwordHistory(QStringLiteral("annabel"))->empty());
    EXPECT_FALSE(m_repo->user(QStringLiteral("annabel"))->has_value());
}

TEST_F(Store, AFailedTransactionLeavesNothingBehind)
{
    const auto result = m_repo->transaction([&]() -> Result<void> {
        (void)m_repo->grant(QStringLiteral("anna"), 1);
        return makeError(1, QStringLiteral("stop"));
    });
    EXPECT_FALSE(result.ok());
    EXPECT_TRUE(m_repo->grants(QStringLiteral("anna"))->empty());
}

} // namespace tarvo::access::test
