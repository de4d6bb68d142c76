#include "BugsTable.h"
#include "platform/data/expr/Expression.h"

#include <QSqlQuery>

#include <gtest/gtest.h>

using namespace tarvo::data::expr;
using tarvo::data::expr::test::BugsTable;

namespace {

// A view leaves the fixed columns out of its position, so naming a column that some selected
// rows differ in would skip rows: only top-level AND-ed comparisons of a bare column with a
// constant count.
TEST(FixedColumns, OnlyTopLevelEqualitiesOfABareColumnFixIt)
{
    BugsTable table;
    const struct {
        const char *text;
        QStringList fixed;
    } cases[] = {
        {"(BUG:Gray=0 and BUG:Category=T) AND INSTRING('|' & BUG:PrgID & '|',SecP,1,1)",
         {"\"Gray\"", "\"Category\""}},
        {"1 = BUG:PrgID and BUG:Status = 'Open  '", {"\"PrgID\"", "\"Status\""}},
        {"BUG:Gray = '0' and BUG:Gray = 0", {"\"Gray\""}}, // a text that reads as a number
        {"BUG:Gray = 0 or BUG:Category = 1", {}},
        {"BUG:Gray = 0 and (BUG:Category = 1 or BUG:PrgID = 3)", {"\"Gray\""}},
        {"NOT (BUG:Gray <> 0)", {}},
        {"NOT (BUG:Gray = 0 and BUG:Category = 1)", {}},
        {"BUG:Gray >= 0 and BUG:Gray <= 0", {}},
        {"BUG:Gray = 'x'", {}}, // compared as text: CAST("Gray" AS TEXT)
        {"UPPER(BUG:Status) = 'OPEN'", {}},
        {"BUG:Status & 'x' = 'Openx'", {}},
        {"BUG:Gray = BUG:Category", {}},
        {"BUG:PrgID = PrgID + 3", {"\"PrgID\""}}, // a bound value is a constant
        {"1 = 1 and BUG:Gray = 0", {"\"Gray\""}},
    };
    for (const auto &c : cases) {
        auto e = Expression::parse(QString::fromLatin1(c.text), table.names());
        ASSERT_TRUE(e.ok()) << c.text;
        for (Dialect dialect : {Dialect::Sqlite, Dialect::PostgreSql}) {
            auto sql = e->toSql(dialect, table.names());
            ASSERT_TRUE(sql.ok()) << c.text;
            EXPECT_EQ(sql->fixedColumns.join(u',').toStdString(), c.fixed.join(u',').toStdString()) << c.text;
        }
        // And the rows agree: one value per fixed column.
        auto sql = e->toSql(Dialect::Sqlite, table.names());
        for (const QString &column : sql->fixedColumns) {
            QSqlQuery q(table.database());
            ASSERT_TRUE(q.prepare(
                QStringLiteral("SELECT COUNT(DISTINCT %1) FROM \"Bugs\" WHERE %2").arg(column, sql->sql)));
            for (int i = 0; i < sql->params.size(); ++i)
                q.bindValue(i, sql->params.at(i));
            ASSERT_TRUE(q.exec() && q.next()) << c.text;
            EXPECT_LE(q.value(0).toInt(), 1) << c.text << " " << column.toStdString();
        }
    }
}

} // namespace
