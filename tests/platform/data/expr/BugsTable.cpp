#include "BugsTable.h"

#include "platform/data/SqliteFunctions.h"
#include "platform/data/SqliteStore.h"

#include <QSqlError>
#include <QSqlQuery>
#include <QUuid>

#include <gtest/gtest.h>

namespace tarvo::data::expr::test {

namespace {

struct Column {
    const char *label;
    const char *sqlName;
    ValueType type;
};

const Column kColumns[] = {
    {"BUG:ID", "ID", ValueType::Number},
    {"BUG:PrgID", "PrgID", ValueType::Number},
    {"BUG:Category", "Category", ValueType::Number},
    {"BUG:Gray", "Gray", ValueType::Number},
    {"BUG:Status", "Status", ValueType::Text},
    {"BUG:StatusSort", "StatusSort", ValueType::Number},
    {"BUG:Description", "Description", ValueType::Text},
    {"BUG:FixedVersion", "FixedVersion", ValueType::Text},
    {"BUG:AllResponsiblePersons", "AllResponsiblePersons", ValueType::Text},
    {"BUG:Version", "Version", ValueType::Text},
};

} // namespace

BugsTable::BugsTable() : m_connection(QUuid::createUuid().toString())
{
    auto db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), m_connection);
    db.setDatabaseName(QStringLiteral(":memory:"));
    EXPECT_TRUE(db.open());
    // The stores' collations, which text ranges compare by.
    EXPECT_TRUE(SqliteFunctions::install(SqliteStore::handle(db)));
    QSqlQuery q(db);
    EXPECT_TRUE(q.exec(
        QStringLiteral("CREATE TABLE \"Bugs\" (\"ID\" INTEGER PRIMARY KEY, \"PrgID\" INTEGER NOT NULL, "
                       "\"Category\" INTEGER NOT NULL, \"Gray\" INTEGER NOT NULL, \"Status\" TEXT NOT NULL, "
                       "\"StatusSort\" INTEGER NOT NULL, \"Description\" TEXT NOT NULL, "
                       "\"FixedVersion\" TEXT NOT NULL, \"AllResponsiblePersons\" TEXT NOT NULL, "
                       "\"Version\" TEXT NOT NULL)")))
        << q.lastError().text().toStdString();

    const auto s = [](const char *text) { return QVariant(QString::fromUtf8(text)); };
    m_rows = {
        {1, 3, 1, 0, s("Open"), 1, s("Setup fails"), s("2.1"), s("ABC;XYZ"), s("5")},
        {2, 7, 1, 1, s("Closed"), 10, s("error in report"), s("2.1"), s("xyz"), s("5.0")},
        {3, 4, 2, 0, s("New"), 5, s("d'Arc"), s("2.0"), s("abc"), s("005x")},
        {4, 3, 4, 0, s("Resolved"), 12, s("Set up ERROR log"), s(""), s(""), s("")},
        {5, 0, 1, 0, s("open"), 2, s(""), s("2.1"), s("mabcd"), s("1.0")},
        {6, 7, 3, 0, s("Ändern"), 3, s("Crash \U0001D11E here"), s("2.1"), s("XY"), s("0.9")},
    };
    for (const auto &row : m_rows) {
        q.prepare(QStringLiteral("INSERT INTO \"Bugs\" VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?)"));
        for (const auto &v : row)
            q.addBindValue(v);
        EXPECT_TRUE(q.exec()) << q.lastError().text().toStdString();
    }

    for (const auto &c : kColumns)
        m_names.addColumn(QString::fromLatin1(c.label), u'"' + QString::fromLatin1(c.sqlName) + u'"', c.type);
    m_names.bind(QStringLiteral("SecP"), QStringLiteral("|3|7|"));
    m_names.bind(QStringLiteral("PrgID"), 0);
    m_names.bind(QStringLiteral("T"), 1);
    m_names.bind(QStringLiteral("MAK"), QStringLiteral("abc      ")); // STRING(35): padded
    m_names.bind(QStringLiteral("REN:PrgID"), 3);
    m_names.bind(QStringLiteral("LatestRelease"), QStringLiteral("2.1"));
    m_names.bind(QStringLiteral("Datei"), 5);
    m_names.bind(QStringLiteral("Evil"), QStringLiteral("x' OR 1=1 --"));
}

BugsTable::~BugsTable()
{
    QSqlDatabase::removeDatabase(m_connection);
}

void BugsTable::loadRow(size_t index)
{
    for (size_t i = 0; i < std::size(kColumns); ++i)
        m_names.setColumnValue(QString::fromLatin1(kColumns[i].label), m_rows[index][qsizetype(i)]);
}

} // namespace tarvo::data::expr::test
