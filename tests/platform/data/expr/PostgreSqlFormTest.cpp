#include "BugsTable.h"
#include "platform/data/expr/Expression.h"

#include <gtest/gtest.h>

using namespace tarvo::data::expr;
using tarvo::data::expr::test::BugsTable;

namespace {

// The PostgreSQL form, checked as text here; the data layer runs it on a real server.
TEST(PostgreSqlForm, TypesEveryParameterAndUsesPortableFunctions)
{
    BugsTable table;
    const struct {
        const char *text;
        const char *sql;
        QVariantList params;
    } cases[] = {
        // The program limit as a list an index serves.
        {"INSTRING('|' & BUG:PrgID & '|',SecP,1,1)",
         R"(("PrgID" IN (CAST(? AS BIGINT), CAST(? AS BIGINT))))",
         {3LL, 7LL}},
        {"INSTRING('|' & BUG:Status & '|',SecP,1,1) = 0",
         R"(("Status" NOT IN (CAST(? AS TEXT), CAST(? AS TEXT), CAST(? AS TEXT))))",
         {QStringLiteral("3"), QStringLiteral("3|7"), QStringLiteral("7")}},
        {"INSTRING('|' & BUG:PrgID,SecP,1,1)",
         R"((STRPOS(CAST(? AS TEXT), (CAST(? AS TEXT) || CAST("PrgID" AS TEXT))) <> 0))",
         {QStringLiteral("|3|7|"), QStringLiteral("|")}},
        {"INSTRING(UPPER(CLIP(MAK)),UPPER(BUG:AllResponsiblePersons),1,1)",
         R"((STRPOS(UPPER("AllResponsiblePersons"), CAST(? AS TEXT)) <> 0))",
         {QStringLiteral("ABC")}},
        {"(BUG:Gray=0 and BUG:Category=T)",
         R"((("Gray" = CAST(? AS BIGINT)) AND ("Category" = CAST(? AS BIGINT))))",
         {0LL, 1LL}},
        {"(BUG:STATUSSORT > '5')", R"(("StatusSort" > CAST(? AS BIGINT)))", {5LL}},
        {"(BUG:Status > 'Open  ')",
         R"(("Status" > CAST(? AS TEXT) COLLATE tarvo_cs))",
         {QStringLiteral("Open")}},
        {"SUB(BUG:DESCRIPTION,1,5) = 'Setup'",
         R"((RTRIM(SUBSTR("Description", CAST(? AS INTEGER), CAST(? AS INTEGER))) = CAST(? AS TEXT)))",
         {1LL, 5LL, QStringLiteral("Setup")}},
        {"INSTRING('a',BUG:Description,1,3)",
         R"(((CASE WHEN STRPOS(SUBSTR("Description", CAST(? AS INTEGER)), CAST(? AS TEXT)) = 0 THEN 0 ELSE STRPOS(SUBSTR("Description", CAST(? AS INTEGER)), CAST(? AS TEXT)) + CAST(? AS BIGINT) END) <> 0))",
         {3LL, QStringLiteral("a"), 3LL, QStringLiteral("a"), 2LL}},
        {"NOT BUG:Gray", R"((NOT ("Gray" <> 0)))", {}},
        {"BUG:ID / 4 > 1.5",
         R"(((CASE WHEN CAST(? AS BIGINT) = 0 THEN 0 ELSE CAST("ID" AS DOUBLE PRECISION) / CAST(? AS BIGINT) END) > CAST(? AS DOUBLE PRECISION)))",
         {4LL, 4LL, 1.5}},
    };
    for (const auto &c : cases) {
        auto e = Expression::parse(QString::fromLatin1(c.text), table.names());
        ASSERT_TRUE(e.ok()) << c.text;
        auto sql = e->toSql(Dialect::PostgreSql, table.names());
        ASSERT_TRUE(sql.ok()) << c.text << ": " << sql.error().message.toStdString();
        EXPECT_EQ(sql->sql.toStdString(), c.sql) << c.text;
        EXPECT_EQ(sql->params, c.params) << c.text;
    }
}

// The same tree in SQLite's form uses instr() and untyped placeholders.
TEST(PostgreSqlForm, SqliteFormDiffersOnlyInFunctionsAndTyping)
{
    BugsTable table;
    auto e = Expression::parse(QStringLiteral("INSTRING(BUG:PrgID & '|',SecP,1,1)"), table.names());
    ASSERT_TRUE(e.ok());
    auto sql = e->toSql(Dialect::Sqlite, table.names());
    ASSERT_TRUE(sql.ok());
    EXPECT_EQ(sql->sql.toStdString(), R"((INSTR(?, (CAST("PrgID" AS TEXT) || ?)) <> 0))");
    EXPECT_EQ(sql->params, QVariantList({QStringLiteral("|3|7|"), QStringLiteral("|")}));
}

} // namespace
