#include "platform/data/expr/Expression.h"

#include "BugsTable.h"

#include <QSqlError>
#include <QSqlQuery>

#include <gtest/gtest.h>

using namespace tarvo::data::expr;
using tarvo::data::expr::test::BugsTable;

namespace {

struct Case {
    const char *text;
    std::vector<int> ids; // rows of BugsTable that match
};

void PrintTo(const Case &c, std::ostream *os)
{
    *os << c.text;
}

std::vector<int> sqlIds(BugsTable &table, const SqlCondition &condition)
{
    QSqlQuery q(table.database());
    q.prepare(QStringLiteral("SELECT \"ID\" FROM \"Bugs\" WHERE ") + condition.sql +
              QStringLiteral(" ORDER BY \"ID\""));
    for (const auto &p : condition.params)
        q.addBindValue(p);
    EXPECT_TRUE(q.exec()) << q.lastError().text().toStdString() << " in " << condition.sql.toStdString();
    std::vector<int> ids;
    while (q.next())
        ids.push_back(q.value(0).toInt());
    return ids;
}

std::vector<int> memoryIds(BugsTable &table, const Expression &e)
{
    std::vector<int> ids;
    for (size_t i = 0; i < table.rowCount(); ++i) {
        table.loadRow(i);
        if (e.matches(table.names()))
            ids.push_back(table.idOf(i));
    }
    return ids;
}

// Every kind of filter the system builds, with the rows it must select.
const Case kCases[] = {
    // program limit, own issues, category tabs, release notes
    {"INSTRING('|' & BUG:PrgID & '|',SecP,1,1)", {1, 2, 4, 6}},
    {"(INSTRING('|' & BUG:PrgID & '|',SecP,1,1))", {1, 2, 4, 6}},
    {"INSTRING(UPPER(CLIP(MAK)),UPPER(BUG:AllResponsiblePersons),1,1)", {1, 3, 5}},
    {"INSTRING(UPPER(MAK),UPPER(BUG:AllResponsiblePersons),1,1)", {}},
    {"INSTRING('|' & BUG:PrgID & '|',SecP,1,1) AND INSTRING(UPPER(CLIP(MAK)),"
     "UPPER(BUG:AllResponsiblePersons),1,1)",
     {1}},
    {"(BUG:Gray=0 and BUG:Category=T)", {1, 5}},
    {"(BUG:Category=T)", {1, 2, 5}},
    {"(BUG:Gray=0)", {1, 3, 4, 5, 6}},
    {"bug:category = t AND bug:GRAY = 0", {1, 5}},
    {"BUG:PrgID=REN:PrgID", {1, 4}},
    {"BUG:PrgID=REN:PrgID AND UPPER(BUG:FixedVersion)=UPPER(LatestRelease)", {1}},
    {"(SUB(BUG:Version,1,3)=FORMAT(Datei,@N03))", {3}},
    // column filter builder output
    {"INSTRING('error',BUG:DESCRIPTION,1,1) <> 0", {2}},
    {"INSTRING('ERROR',UPPER(BUG:DESCRIPTION),1,1) <> 0", {2, 4}},
    {"INSTRING('',BUG:DESCRIPTION,1,1) <> 0", {1, 2, 3, 4, 5, 6}},
    {"SUB(BUG:DESCRIPTION,1,5) = 'Setup'", {1}},
    {"SUB(UPPER(BUG:DESCRIPTION),1,3) = 'SET'", {1, 4}},
    {"(BUG:STATUS = 'Open')", {1}},
    {"(BUG:STATUS <> 'Closed')", {1, 3, 4, 5, 6}},
    {"(BUG:STATUS ~= 'Closed')", {1, 3, 4, 5, 6}},
    {"(UPPER(BUG:STATUS) = 'OPEN')", {1, 5}},
    {"(BUG:DESCRIPTION = 'd''Arc')", {3}},
    {"(BUG:STATUSSORT > '5')", {2, 4}},
    {"(BUG:STATUSSORT < '5')", {1, 5, 6}},
    {"(BUG:STATUSSORT >= '5') AND (BUG:STATUSSORT <= '10')", {2, 3}},
    // texts order as the lists sort them: Ändern, Closed, New, open, Open, Resolved
    {"(BUG:STATUS > 'Resolved')", {}},
    {"(BUG:STATUS =< 'New')", {2, 3, 6}},
    {"(BUG:STATUS => 'Open')", {1, 4}},
    {"(BUG:STATUS ~< 'Open')", {1, 4}},
    {"(BUG:STATUS ~> 'New')", {2, 3, 6}},
    {"(BUG:STATUS < 'BANANA')", {6}},
    {"(BUG:STATUS > 'oPEN')", {1, 4}},
    {"(BUG:Category = '1')", {1, 2, 5}},
    // trailing blanks never count
    {"(BUG:STATUS = 'Open   ')", {1}},
    {"SUB(BUG:DESCRIPTION,1,4) = 'Set'", {4}},
    {"CLIP(SUB(BUG:DESCRIPTION,1,4)) & '!' = 'Set!'", {4}},
    // texts against numbers
    {"BUG:Version = 5", {1}},
    {"BUG:ID = 'abc'", {}},
    {"BUG:ID <> 'abc'", {1, 2, 3, 4, 5, 6}},
    {"UPPER(BUG:ID) = '3'", {3}},
    {"BUG:Description & '|' & BUG:ID = 'd''Arc|3'", {3}},
    // logic, precedence and arithmetic
    {"NOT (BUG:Gray=0)", {2}},
    {"NOT BUG:Gray", {1, 3, 4, 5, 6}},
    {"~(BUG:Gray=1) AND BUG:PrgID > 0", {1, 3, 4, 6}},
    {"(BUG:Gray=1) OR BUG:Category=4", {2, 4}},
    {"BUG:Status = 'Open' OR BUG:Status = 'Closed' AND BUG:Gray = 0", {1}},
    {"BUG:Category = T AND (BUG:Status = 'Open' OR BUG:Status = 'open')", {1, 5}},
    {"'|' & BUG:PrgID & '|' = '|3|'", {1, 4}},
    {"BUG:FixedVersion", {1, 2, 3, 5, 6}},
    {"BUG:ID * 2 > BUG:StatusSort + 1", {5, 6}},
    {"BUG:StatusSort / 4 = 2.5", {2}},
    {"BUG:ID / (BUG:Gray - BUG:Gray) = 0", {1, 2, 3, 4, 5, 6}},
    {"-BUG:ID < -4", {5, 6}},
    {"(BUG:Gray = 0) + (BUG:Category = 1) = 2", {1, 5}},
    // positions count characters
    {"INSTRING('here',BUG:Description,1,3) = 9 OR INSTRING('r',BUG:Description,1,3) = 3", {2, 6}},
    {"SUB(BUG:Description,9,4) = 'here'", {6}},
    // user text stays a value
    {"(BUG:STATUS = 'x'' OR 1=1 --')", {}},
    {"BUG:Status = Evil", {}},
    {"INSTRING(Evil, BUG:Description, 1, 1)", {}},
    // the program limit as a list, any INSTRING of its shape, and its negation
    {"INSTRING('|' & BUG:PrgID & '|',SecP,1,1) > 0", {1, 2, 4, 6}},
    {"INSTRING('|' & BUG:PrgID & '|',SecP,1,1) = 0", {3, 5}},
    {"INSTRING('(' & BUG:Status & ')','(Open)(New)',1,1) <> 0", {1, 3}},
    {"INSTRING('3|' & BUG:PrgID & '|','|3|7|',1,1)", {2, 6}},
    {"INSTRING('|' & BUG:PrgID & '|','|3|07|+4|4.0|',1,1)", {1, 4}},
    // numbers beyond 32 and 64 bits: clamped alike in SQL and in memory
    {"INSTRING('e',BUG:Description,1,4294967297) = 0", {1, 2, 3, 4, 5, 6}},
    {"INSTRING('',BUG:Description,1,99999999999999999999) = 2147483647", {1, 2, 3, 4, 5, 6}},
    {"SUB(BUG:Description,3000000000,2) = ''", {1, 2, 3, 4, 5, 6}},
    {"SUB(BUG:Description,1,18446744073709551616) = 'd''Arc'", {3}},
};

class ExpressionOnTable : public ::testing::TestWithParam<Case> {
  protected:
    BugsTable m_table;
};

TEST_P(ExpressionOnTable, SqlAndMemoryAgreeWithExpectedRows)
{
    const Case &c = GetParam();
    auto e = Expression::parse(QString::fromUtf8(c.text), m_table.names());
    ASSERT_TRUE(e.ok()) << e.error().message.toStdString();
    auto sql = e->toSql(Dialect::Sqlite, m_table.names());
    ASSERT_TRUE(sql.ok()) << sql.error().message.toStdString();
    // No text of the expression reaches the SQL: the only quotes are the compiler's own ''.
    EXPECT_FALSE(QString(sql->sql).remove(QStringLiteral("''")).contains(u'\'')) << sql->sql.toStdString();
    EXPECT_EQ(sqlIds(m_table, *sql), c.ids) << sql->sql.toStdString();
    EXPECT_EQ(memoryIds(m_table, *e), c.ids);
}

INSTANTIATE_TEST_SUITE_P(Filters, ExpressionOnTable, ::testing::ValuesIn(kCases));

// Filters without an SQL form are refused by the compiler, so the caller filters in memory.
TEST(Expression, WithoutSqlFormFallsBackToMemory)
{
    BugsTable table;
    const Case cases[] = {
        {"INSTRING('r',BUG:Description,2,1) = 2", {2}},
        {"FORMAT(BUG:ID,@N03) = '003'", {3}},
        {"SUB(BUG:Description,BUG:ID,2) = 'et'", {}},
        {"BUG:Version + 1 > 5", {1, 2}},
    };
    for (const auto &c : cases) {
        auto e = Expression::parse(QString::fromUtf8(c.text), table.names());
        ASSERT_TRUE(e.ok()) << c.text;
        auto sql = e->toSql(Dialect::Sqlite, table.names());
        ASSERT_FALSE(sql.ok()) << c.text;
        EXPECT_EQ(sql.error().code, NoSqlForm);
        EXPECT_EQ(memoryIds(table, *e), c.ids) << c.text;
    }
}

// The tree is parsed once; bound values are read each time it is compiled or evaluated.
TEST(Expression, BoundValuesAreReadWhenCompiled)
{
    BugsTable table;
    auto e = Expression::parse(QStringLiteral("(BUG:Category=T)"), table.names());
    ASSERT_TRUE(e.ok());
    table.names().bind(QStringLiteral("T"), 4);
    auto sql = e->toSql(Dialect::Sqlite, table.names());
    ASSERT_TRUE(sql.ok());
    EXPECT_EQ(sqlIds(table, *sql), std::vector<int>{4});
    EXPECT_EQ(memoryIds(table, *e), std::vector<int>{4});
}

TEST(Expression, EvaluatesToValues)
{
    BugsTable table;
    table.loadRow(2);
    const std::pair<const char *, QVariant> cases[] = {
        {"INSTRING('|' & REN:PrgID & '|', SecP, 1, 1)", 1.0},
        {"INSTRING('|7|', SecP)", 3.0},
        {"UPPER(BUG:Description) & '-' & FORMAT(Datei,@N3)", QStringLiteral("D'ARC-  5")},
        {"SUB(BUG:Version, 1, 3)", QStringLiteral("005")},
        {"BUG:ID = 3", true},
        {"FORMAT(1234, @N03)", QStringLiteral("###")},
        // beyond 64 bits: the digits of the number, never undefined behaviour
        {"FORMAT(-9223372036854775808, @N25)", QStringLiteral("     -9223372036854775808")},
        {"FORMAT(-9223372036854775808, @N019)", QStringLiteral("###################")},
        {"FORMAT(100000000000000000000, @N021)", QStringLiteral("100000000000000000000")},
        {"FORMAT(-2.5, @N03)", QStringLiteral("-03")},
        {"FORMAT(99999999999999999999 * 99999999999999999999, @N9)", QStringLiteral("#########")},
    };
    for (const auto &[text, expected] : cases) {
        auto e = Expression::parse(QString::fromLatin1(text), table.names());
        ASSERT_TRUE(e.ok()) << text;
        EXPECT_EQ(e->evaluate(table.names()), expected) << text;
    }
}

} // namespace
