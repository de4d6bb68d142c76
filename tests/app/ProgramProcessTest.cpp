#include "core/dictionary/TarvoDictionary.h"
#include "support/TempDir.h"

#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QProcessEnvironment>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QVariant>

#include <gtest/gtest.h>

namespace tarvo {
namespace {

struct ProcessRun {
    int exitCode = -1;
    bool finished = false;
    QString errors;
};

// Runs the real program with its own program folder and without a display.
class ProgramProcessTest : public ::testing::Test {
  protected:
    ProcessRun tarvo(const QStringList &arguments)
    {
        QProcess process;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("XDG_CONFIG_HOME"), m_home.path());
        env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
        env.remove(QStringLiteral("TARVO_DEFAULT_DATA"));
        process.setProcessEnvironment(env);
        process.start(qEnvironmentVariable("TARVO_BINARY_DIR") + QStringLiteral("/src/app/tarvo"), arguments);
        ProcessRun run;
        run.finished = process.waitForFinished(60000);
        if (!run.finished)
            process.kill();
        run.exitCode = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
        run.errors = QString::fromLocal8Bit(process.readAllStandardError());
        return run;
    }

    QString folder(const QString &name)
    {
        const QString path = m_home.file(name);
        QDir().mkpath(path);
        return path;
    }

    // Rows of a query on an SQLite file, each row's columns joined by "|".
    static QStringList rows(const QString &file, const QString &sql)
    {
        QStringList out;
        {
            QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("check"));
            db.setDatabaseName(file);
            EXPECT_TRUE(db.open());
            QSqlQuery q(db);
            EXPECT_TRUE(q.exec(sql)) << sql.toStdString();
            while (q.next()) {
                QStringList columns;
                for (int i = 0; i < q.record().count(); ++i)
                    columns << q.value(i).toString();
                out << columns.join(u'|');
            }
        }
        QSqlDatabase::removeDatabase(QStringLiteral("check"));
        return out;
    }

    QString pathsFile() const { return m_home.file(QStringLiteral("Tarvo/PATHS.db")); }

    test::TempDir m_home;
};

TEST_F(ProgramProcessTest, InstallerStoresTheFolderAndASecondRunUpdatesIt)
{
    const ProcessRun first = tarvo({QStringLiteral("/Path"), folder(QStringLiteral("one"))});
    ASSERT_TRUE(first.finished);
    EXPECT_EQ(first.exitCode, 0) << first.errors.toStdString();
    EXPECT_EQ(rows(pathsFile(), QStringLiteral("SELECT ID, PATH FROM PATHS")),
              QStringList{QStringLiteral("1|") + m_home.file(QStringLiteral("one"))});

    const ProcessRun second = tarvo({QStringLiteral("/Path"), m_home.file(QStringLiteral("two"))});
    EXPECT_EQ(second.exitCode, 0);
    EXPECT_EQ(rows(pathsFile(), QStringLiteral("SELECT ID, PATH FROM PATHS")),
              QStringList{QStringLiteral("1|") + m_home.file(QStringLiteral("two"))});
}

TEST_F(ProgramProcessTest, InstallerSwitchesExistingSettingsToGermanAndCreatesNoneOtherwise)
{
    const QString empty = folder(QStringLiteral("empty"));
    EXPECT_EQ(tarvo({QStringLiteral("/Path"), empty, QStringLiteral("/Language"), QStringLiteral("German")})
                  .exitCode,
              0);
    EXPECT_TRUE(QDir(empty).isEmpty());

    const QString data = folder(QStringLiteral("data"));
    ASSERT_EQ(tarvo({QStringLiteral("/Path"), data}).exitCode, 0);
    // "/C" reads the settings, creating them in a new data folder, and ends without login.
    const ProcessRun conversions = tarvo({QStringLiteral("/C")});
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
    const ProcessRun run = tarvo({QStringLiteral("/C")});
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
    const ProcessRun run = tarvo({});
    ASSERT_TRUE(run.finished);
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_TRUE(run.errors.contains(QStringLiteral("No data folder is set"))) << run.errors.toStdString();
}

} // namespace
} // namespace tarvo
