#include "ProgramProcess.h"

#include "core/dictionary/TarvoDictionary.h"

#include <QDir>

namespace tarvo {
namespace {

using ProgramProcessTest = test::ProgramProcess;

TEST_F(ProgramProcessTest, InstallerStoresTheFolderAndASecondRunUpdatesIt)
{
    const test::ProcessRun first = tarvo({QStringLiteral("/Path"), folder(QStringLiteral("one"))});
    ASSERT_TRUE(first.finished);
    EXPECT_EQ(first.exitCode, 0) << first.errors.toStdString();
    EXPECT_EQ(rows(pathsFile(), QStringLiteral("SELECT ID, PATH FROM PATHS")),
              QStringList{QStringLiteral("1|") + m_home.file(QStringLiteral("one"))});

    const test::ProcessRun second = tarvo({QStringLiteral("/Path"), m_home.file(QStringLiteral("two"))});
    EXPECT_EQ(second.exitCode, 0);
    EXPECT_EQ(rows(pathsFile(), QStringLiteral("SELECT ID, PATH FROM PATHS")),
              QStringList{QStringLiteral("1|") + m_home.file(QStringLiteral("two"))});
}

TEST_F(ProgramProcessTest, InstallerSwitchesExistingSettingsToGermanAndOtherwiseSaysWhy)
{
    const QString empty = folder(QStringLiteral("empty"));
    // Asked for German settings it cannot switch, the installer says why and fails.
    const test::ProcessRun refused =
        tarvo({QStringLiteral("/Path"), empty, QStringLiteral("/Language"), QStringLiteral("German")});
    EXPECT_EQ(refused.exitCode, 1);
    EXPECT_TRUE(refused.errors.contains(QStringLiteral("The settings were not switched to German.")))
        << refused.errors.toStdString();
    EXPECT_TRUE(QDir(empty).isEmpty());

    const QString data = folder(QStringLiteral("data"));
    ASSERT_EQ(tarvo({QStringLiteral("/Path"), data}).exitCode, 0);
    // "/C" reads the settings, creating them in a new data folder, and ends without login.
    const test::ProcessRun conversions = tarvo({QStringLiteral("/C")});
    ASSERT_EQ(conversions.exitCode, 0) << conversions.errors.toStdString();
    const QString store = data + QStringLiteral("/Tarvo.db");
    const QString sql =
        QStringLiteral("SELECT LOCATION, Language, Currency, OVERRIDEINSERT, INSERTTEXT FROM Parameter");
    EXPECT_EQ(rows(store, sql), QStringList{QStringLiteral("United States|English|USD|1|&Add")});

    EXPECT_EQ(tarvo({QStringLiteral("/Path"), data, QStringLiteral("/Language"), QStringLiteral("German")})
                  .exitCode,
              0);
    EXPECT_EQ(rows(store, sql), QStringList{QStringLiteral("Germany|Deutsch|EUR|0|")});
}

TEST_F(ProgramProcessTest, ConversionSwitchCreatesEveryTableAndAppliesTheCorrectionsOnce)
{
    const QString data = folder(QStringLiteral("data"));
    ASSERT_EQ(tarvo({QStringLiteral("/Path"), data}).exitCode, 0);
    const test::ProcessRun run = tarvo({QStringLiteral("/C")});
    ASSERT_TRUE(run.finished);
    EXPECT_EQ(run.exitCode, 0) << run.errors.toStdString();
    EXPECT_FALSE(run.errors.contains(QStringLiteral("Security"))) << run.errors.toStdString();

    const QString store = data + QStringLiteral("/Tarvo.db");
    const QStringList tables =
        rows(store, QStringLiteral("SELECT name FROM sqlite_master WHERE type = 'table'"));
    for (const auto &file : core::tarvoDictionary().files) {
        if (!file.managed || !file.aliasOf.isEmpty() || file.label == QStringLiteral("ProgramLimit"))
            continue;
        EXPECT_TRUE(tables.contains(file.label, Qt::CaseInsensitive)) << file.label.toStdString();
    }
    const QString applied = QStringLiteral("SELECT ID FROM HotKeys ORDER BY ID");
    const QStringList corrections{QStringLiteral("9"),  QStringLiteral("10"), QStringLiteral("11"),
                                  QStringLiteral("12"), QStringLiteral("13"), QStringLiteral("14"),
                                  QStringLiteral("15")};
    EXPECT_EQ(rows(store, applied), corrections);

    // A second run applies no numbered correction again.
    ASSERT_EQ(tarvo({QStringLiteral("/C")}).exitCode, 0);
    EXPECT_EQ(rows(store, applied), corrections);
    EXPECT_EQ(rows(store, QStringLiteral("SELECT COUNT(*) FROM Print WHERE TYPE = 5")),
              QStringList{QStringLiteral("1")});
}

TEST_F(ProgramProcessTest, WithoutADataFolderAndWithoutADisplayTheProgramSaysSoAndEnds)
{
    const test::ProcessRun run = tarvo({});
    ASSERT_TRUE(run.finished);
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_TRUE(run.errors.contains(QStringLiteral("No data folder is set"))) << run.errors.toStdString();
}

} // namespace
} // namespace tarvo
