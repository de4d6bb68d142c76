#include "DataTestSupport.h"
#include "platform/data/ErrorCode.h"

#include <QCryptographicHash>
#include <QFile>
#include <QSqlDatabase>
#include <QSqlQuery>

using namespace tarvo::data;

namespace tarvo::test {

namespace {
QByteArray digest(const QString &path)
{
    QFile f(path);
    f.open(QIODevice::ReadOnly);
    return QCryptographicHash::hash(f.readAll(), QCryptographicHash::Sha256);
}
} // namespace

// A data file that is not a healthy store of ours is reported with its code and left as it is.
class DamagedStoreTest : public ::testing::Test {
  protected:
    QString dbPath() const { return m_dir.file(QStringLiteral("Tarvo.db")); }
    // Opens Customer through a fresh dictionary; returns the open result.
    Result<void> openCustomer()
    {
        auto d = Dictionary::open(testDictionary(), m_dir.path());
        EXPECT_TRUE(d.ok());
        auto session = (*d)->createSession(1, &m_reporter);
        return session->file(QStringLiteral("Customer"))->open();
    }
    void expectRefusedUntouched()
    {
        const QByteArray before = digest(dbPath());
        const qint64 size = QFile(dbPath()).size();
        auto r = openCustomer();
        ASSERT_FALSE(r.ok());
        EXPECT_EQ(r.error().code, ErrorCode::InvalidDataFile) << r.error().message.toStdString();
        ASSERT_FALSE(m_reporter.errors.empty());
        EXPECT_EQ(m_reporter.errors.back().messageNumber, 26);
        EXPECT_EQ(m_reporter.errors.back().file, dbPath() + QStringLiteral(" (table Customer)"));
        EXPECT_EQ(QFile(dbPath()).size(), size);
        EXPECT_EQ(digest(dbPath()), before);
    }

    TempDir m_dir;
    RecordingReporter m_reporter;
};

TEST_F(DamagedStoreTest, GarbageFileIsReportedNotReplaced)
{
    QFile f(dbPath());
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    QByteArray junk;
    for (int i = 0; i < 8192; ++i)
        junk.append(char((i * 7919) & 0xff));
    f.write(junk);
    f.close();
    expectRefusedUntouched();
}

TEST_F(DamagedStoreTest, ForeignDatabaseIsReportedNotReplaced)
{
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("foreign"));
        db.setDatabaseName(dbPath());
        ASSERT_TRUE(db.open());
        QSqlQuery q(db);
        ASSERT_TRUE(q.exec(QStringLiteral("CREATE TABLE accounts (id INTEGER, owner TEXT)")));
        q.exec(QStringLiteral("INSERT INTO accounts VALUES (1, 'someone')"));
        db.close();
    }
    QSqlDatabase::removeDatabase(QStringLiteral("foreign"));
    expectRefusedUntouched();
}

TEST_F(DamagedStoreTest, TruncatedFileIsReportedNotReplaced)
{
    {
        auto d = Dictionary::open(testDictionary(), m_dir.path());
        ASSERT_TRUE(d.ok());
        auto session = (*d)->createSession(1, &m_reporter);
        FileManager &customers = *session->file(QStringLiteral("Customer"));
        for (int i = 0; i < 3000; ++i) {
            Record r = customers.newRecord();
            r.setValue("Name", QStringLiteral("Customer number %1").arg(i));
            r.setValue("City", QStringLiteral("Somewhere far away"));
            ASSERT_TRUE(customers.insert(r).ok());
        }
    }
    ASSERT_TRUE(m_reporter.errors.empty());
    ASSERT_FALSE(QFile::exists(dbPath() + QStringLiteral("-wal")) && QFile(dbPath() + "-wal").size() > 0);
    QFile f(dbPath());
    ASSERT_TRUE(f.resize(f.size() * 6 / 10));
    expectRefusedUntouched();
}

} // namespace tarvo::test
