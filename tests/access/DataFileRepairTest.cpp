#include "access/DataFileRepair.h"

#include "platform/data/Connection.h"
#include "platform/data/Store.h"
#include "support/PostgresServer.h"
#include "support/TempDir.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSqlDatabase>
#include <QSqlQuery>

#include <gtest/gtest.h>
#include <map>
#include <random>

namespace tarvo::access::test {

namespace {

// A SQLite data file of a few thousand rows with an index, whose pages can be overwritten.
class Repair : public ::testing::Test {
  protected:
    static constexpr int Rows = 3000;
    static constexpr int PageSize = 4096;

    void SetUp() override
    {
        m_file = m_dir.file(QStringLiteral("Tarvo.db"));
        withDb(m_file, [](QSqlDatabase &db) {
            QSqlQuery q(db);
            q.exec(QStringLiteral("PRAGMA page_size = 4096"));
            ASSERT_TRUE(
                q.exec(QStringLiteral("CREATE TABLE Bugs (ID INTEGER PRIMARY KEY, Title TEXT, Nr INTEGER)")));
            db.transaction();
            q.prepare(QStringLiteral("INSERT INTO Bugs VALUES (?, ?, ?)"));
            for (int i = 1; i <= Rows; ++i) {
                q.addBindValue(i);
                q.addBindValue(title(i));
                q.addBindValue(i * 7);
                ASSERT_TRUE(q.exec());
            }
            db.commit();
            ASSERT_TRUE(q.exec(QStringLiteral("CREATE INDEX KeyTitle ON Bugs (Title)")));
        });
    }

    static QString title(int i)
    {
        return QStringLiteral("Issue number %1 ").arg(i).leftJustified(100, QLatin1Char('x'));
    }

    static void withDb(const QString &file, const std::function<void(QSqlDatabase &)> &work)
    {
        {
            QSqlDatabase db =
                QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("repair-test"));
            db.setDatabaseName(file);
            ASSERT_TRUE(db.open());
            work(db);
            db.close();
        }
        QSqlDatabase::removeDatabase(QStringLiteral("repair-test"));
    }

    void overwritePages(std::initializer_list<int> pages)
    {
        QFile f(m_file);
        ASSERT_TRUE(f.open(QIODevice::ReadWrite));
        std::mt19937 random(7);
        for (int page : pages) {
            QByteArray garbage(PageSize, Qt::Uninitialized);
            for (char &c : garbage)
                c = char(random());
            ASSERT_TRUE(f.seek(qint64(page - 1) * PageSize));
            ASSERT_EQ(f.write(garbage), PageSize);
        }
    }

    // The rows that can be read one by one through their row number.
    static std::map<int, QString> readableRows(const QString &file)
    {
        std::map<int, QString> rows;
        withDb(file, [&](QSqlDatabase &db) {
            QSqlQuery q(db);
            for (int i = 1; i <= Rows; ++i) {
                q.prepare(QStringLiteral("SELECT Title FROM Bugs WHERE rowid = ?"));
                q.addBindValue(i);
                if (q.exec() && q.next())
                    rows[i] = q.value(0).toString();
            }
        });
        return rows;
    }

    static QByteArray digest(const QString &file)
    {
        QFile f(file);
        return f.open(QIODevice::ReadOnly) ? QCryptographicHash::hash(f.readAll(), QCryptographicHash::Sha256)
                                           : QByteArray();
    }

    tarvo::test::TempDir m_dir;
    QString m_file;
};

} // namespace

TEST_F(Repair, ASoundFileIsCopiedCheckedAndLeftAsItIs)
{
    const QByteArray before = digest(m_file);
    auto report = DataFileRepair::repairSqlite(m_file);
    ASSERT_TRUE(report.ok()) << qPrintable(report.error().message);
    EXPECT_TRUE(report->findings.isEmpty());
    EXPECT_FALSE(report->rebuilt);
    EXPECT_EQ(report->text(), QStringLiteral("Keine Fehler in der Datei gefunden."));
    EXPECT_EQ(digest(m_file), before);
    EXPECT_EQ(digest(report->backupFile), before);
    EXPECT_TRUE(QFileInfo(report->backupFile).fileName().startsWith(QStringLiteral("Tarvo.db.")));
}

TEST_F(Repair, GarbagePagesAreReportedAndEveryReadableRowIsKept)
{
    overwritePages({20, 21, 45});
    const QByteArray damaged = digest(m_file);
    const std::map<int, QString> readable = readableRows(m_file);
    ASSERT_LT(readable.size(), size_t(Rows)) << "the garbage hit table pages";
    ASSERT_GT(readable.size(), size_t(Rows / 2));

    auto first = DataFileRepair::repairSqlite(m_file);
    ASSERT_TRUE(first.ok()) << qPrintable(first.error().message);
    EXPECT_FALSE(first->findings.isEmpty());
    EXPECT_TRUE(first->rebuilt);
    EXPECT_EQ(digest(first->backupFile), damaged) << "the copy holds the file as it was";
    EXPECT_FALSE(QFileInfo::exists(m_file + QStringLiteral(".rebuilt")));

    const std::map<int, QString> kept = readableRows(m_file);
    for (const auto &[id, text] : readable) {
        ASSERT_EQ(kept.count(id), 1u) << "row " << id << " was readable and is lost";
        EXPECT_EQ(kept.at(id), text);
    }
    EXPECT_EQ(first->rowsKept, qint64(kept.size()));
    withDb(m_file, [](QSqlDatabase &db) {
        QSqlQuery q(db);
        ASSERT_TRUE(q.exec(QStringLiteral("PRAGMA integrity_check")) && q.next());
        EXPECT_EQ(q.value(0).toString(), QStringLiteral("ok"));
        ASSERT_TRUE(q.exec(QStringLiteral("SELECT count(*) FROM sqlite_master WHERE name = 'KeyTitle'")) &&
                    q.next());
        EXPECT_EQ(q.value(0).toInt(), 1) << "the index is rebuilt";
    });

    // A second repair keeps the first copy and makes one of its own.
    auto second = DataFileRepair::repairSqlite(m_file);
    ASSERT_TRUE(second.ok()) << qPrintable(second.error().message);
    EXPECT_NE(second->backupFile, first->backupFile);
    EXPECT_EQ(digest(first->backupFile), damaged);
    EXPECT_TRUE(second->findings.isEmpty());
}

TEST_F(Repair, AFileInUseOrMissingIsRefusedAndNothingIsWritten)
{
    QFile wal(m_file + QStringLiteral("-wal"));
    ASSERT_TRUE(wal.open(QIODevice::WriteOnly));
    wal.close();
    const QByteArray before = digest(m_file);
    EXPECT_FALSE(DataFileRepair::repairSqlite(m_file).ok());
    EXPECT_EQ(digest(m_file), before);
    EXPECT_FALSE(DataFileRepair::repairSqlite(m_dir.file(QStringLiteral("None.db"))).ok());
    EXPECT_EQ(QDir(m_dir.path()).entryList(QDir::Files).size(), 2) << "no copy was made";
}

TEST_F(Repair, AFileWhoseContentsCannotBeReadIsNotReplaced)
{
    overwritePages({1});
    const QByteArray damaged = digest(m_file);
    auto report = DataFileRepair::repairSqlite(m_file);
    EXPECT_FALSE(report.ok());
    EXPECT_EQ(digest(m_file), damaged);
    EXPECT_FALSE(QFileInfo::exists(m_file + QStringLiteral(".rebuilt")));
}

TEST(PostgresCheck, ReadsEveryTableOfTheFolderAndChangesNothing)
{
    auto &server = tarvo::test::PostgresServer::instance();
    if (!server.available())
        GTEST_SKIP() << qPrintable(server.reason());
    tarvo::test::TempDir dir;
    server.writeDatabaseIni(dir.path());
    {
        auto store = data::Store::forFolder(dir.path());
        ASSERT_TRUE(store.ok());
        auto connection = (*store)->connection();
        ASSERT_TRUE(connection.ok()) << qPrintable(connection.error().message);
        ASSERT_TRUE((*connection)->execDirect(QStringLiteral("CREATE SCHEMA IF NOT EXISTS tarvo")).ok());
        ASSERT_TRUE(
            (*connection)->execDirect(QStringLiteral("CREATE TABLE tarvo.repairprobe (x integer)")).ok());
        ASSERT_TRUE((*connection)
                        ->execDirect(QStringLiteral("INSERT INTO tarvo.repairprobe VALUES (1), (2), (3)"))
                        .ok());
        (*store)->releaseConnection();
    }
    auto report = DataFileRepair::checkPostgres(dir.path());
    ASSERT_TRUE(report.ok()) << qPrintable(report.error().message);
    EXPECT_TRUE(report->findings.isEmpty());
    EXPECT_FALSE(report->rebuilt);
    EXPECT_TRUE(report->tables.contains(QStringLiteral("\"tarvo\".\"repairprobe\": 3")))
        << qPrintable(report->tables.join(u','));
    auto store = data::Store::forFolder(dir.path());
    ASSERT_TRUE((*(*store)->connection())->execDirect(QStringLiteral("DROP TABLE tarvo.repairprobe")).ok());
    (*store)->releaseConnection();

    tarvo::test::TempDir sqliteFolder;
    EXPECT_FALSE(DataFileRepair::checkPostgres(sqliteFolder.path()).ok());
}

} // namespace tarvo::access::test
