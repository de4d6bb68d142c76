#include "core/frame/ProgramLimits.h"

#include "core/dictionary/TarvoDictionary.h"
#include "core/dictionary/TarvoStoreTest.h"
#include "platform/data/Dictionary.h"
#include "platform/data/FileManager.h"
#include "platform/data/Session.h"
#include "platform/data/Store.h"
#include "support/PostgresServer.h"
#include "support/TempDir.h"

#include <QFile>

#include <gtest/gtest.h>

namespace tarvo::core {
namespace {

void addLimits(const QString &folder, const QList<std::pair<QString, QString>> &rows)
{
    data::FileDecl file = programLimitFile();
    file.managed = true;
    data::DictionaryDecl decl;
    decl.files = {file};
    auto dictionary = data::Dictionary::open(decl, folder, QStringLiteral("Vuvuzu"));
    ASSERT_TRUE(dictionary);
    auto session = (*dictionary)->createSession(0, nullptr);
    data::FileManager *limits = session->file(file.label);
    ASSERT_TRUE(limits->open());
    for (const auto &[mak, name] : rows) {
        data::Record row = limits->newRecord();
        row.setValue(QStringLiteral("PRL:MAK"), mak);
        row.setValue(QStringLiteral("PRL:PrgName"), name);
        ASSERT_TRUE(limits->insert(row));
    }
    limits->close();
}

TEST(ProgramLimits, BuildsSecPFromTheIdsAfterTheDegreeSign)
{
    EXPECT_EQ(ProgramLimits::build({QStringLiteral("Editor\u00B03"), QStringLiteral("Viewer\u00B07")}),
              QStringLiteral("|3|7|"));
    EXPECT_EQ(ProgramLimits::build({}), QString());
    EXPECT_EQ(ProgramLimits::outcome(QStringList{}).secP, QString());
    EXPECT_TRUE(ProgramLimits::outcome(QStringList{}).failure.isEmpty());
}

TEST(ProgramLimits, ReadsOnlyTheUsersRowsFromTheAccessStore)
{
    test::TempDir dir;
    addLimits(dir.path(), {{QStringLiteral("ABC"), QStringLiteral("Editor\u00B04")},
                           {QStringLiteral("ABD"), QStringLiteral("Other\u00B05")},
                           {QStringLiteral("ABCDE"), QStringLiteral("Longer code\u00B09")},
                           {QStringLiteral("ABC"), QStringLiteral("Viewer\u00B07")}});
    const Result<QStringList> names = ProgramLimits::read(dir.path(), QStringLiteral("ABC"));
    ASSERT_TRUE(names) << names.error().message.toStdString();
    EXPECT_EQ(ProgramLimits::outcome(names).secP, QStringLiteral("|4|7|"));
    EXPECT_EQ(ProgramLimits::outcome(ProgramLimits::read(dir.path(), QStringLiteral("XYZ"))).secP, QString());
    // Codes that share their first three characters are different users.
    EXPECT_EQ(ProgramLimits::outcome(ProgramLimits::read(dir.path(), QStringLiteral("ABCDE"))).secP,
              QStringLiteral("|9|"));
}

// The access store of a temporary data folder: "Vuvuzu.db", or the schema "vuvuzu" on the private
// PostgreSQL server of this test run.
class ProgramLimitsStore : public ::testing::TestWithParam<data::StoreKind> {
  protected:
    void SetUp() override
    {
        if (GetParam() == data::StoreKind::Postgres) {
            auto &pg = test::PostgresServer::instance();
            if (!pg.available())
                GTEST_SKIP() << pg.reason().toStdString();
            ASSERT_TRUE(pg.dropSchema(QStringLiteral("vuvuzu")));
            pg.writeDatabaseIni(m_dir.path());
        }
    }
    test::TempDir m_dir;
};

TEST_P(ProgramLimitsStore, AUserCodeIsOneCodeInAnyCase)
{
    addLimits(m_dir.path(), {{QStringLiteral("JDO"), QStringLiteral("Editor\u00B04")},
                             {QStringLiteral("MÜLLER"), QStringLiteral("Viewer\u00B07")}});
    for (const auto &[code, secP] : {std::pair{QStringLiteral("jdo"), QStringLiteral("|4|")},
                                     std::pair{QStringLiteral("Jdo"), QStringLiteral("|4|")},
                                     std::pair{QStringLiteral("müller"), QStringLiteral("|7|")},
                                     std::pair{QStringLiteral("jd"), QString()}}) {
        const Result<QStringList> names = ProgramLimits::read(m_dir.path(), code);
        ASSERT_TRUE(names) << names.error().message.toStdString();
        EXPECT_EQ(ProgramLimits::outcome(names).secP, secP) << code.toStdString();
    }
}

INSTANTIATE_TEST_SUITE_P(Stores, ProgramLimitsStore,
                         ::testing::Values(data::StoreKind::Sqlite, data::StoreKind::Postgres),
                         test::tarvoStoreName);

TEST(ProgramLimits, AFailedReadShowsNoProgramAndSaysWhy)
{
    test::TempDir dir;
    QFile damaged(dir.file(QStringLiteral("Vuvuzu.db")));
    ASSERT_TRUE(damaged.open(QIODevice::WriteOnly));
    damaged.write(QByteArray(4096, 'x'));
    damaged.close();

    const ProgramLimits::Outcome outcome =
        ProgramLimits::outcome(ProgramLimits::read(dir.path(), QStringLiteral("ABC")));
    // An empty SecP would mean "every program".
    EXPECT_EQ(outcome.secP, ProgramLimits::nothing());
    EXPECT_FALSE(outcome.secP.contains(QStringLiteral("|4|")));
    EXPECT_FALSE(outcome.failure.isEmpty());
}

} // namespace
} // namespace tarvo::core
