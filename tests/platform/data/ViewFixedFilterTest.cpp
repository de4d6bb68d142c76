#include "DataTestSupport.h"
#include "platform/data/Connection.h"
#include "platform/data/Cursor.h"
#include "platform/data/View.h"
#include "platform/data/expr/Expression.h"
#include "platform/data/expr/NameTable.h"

#include <QSqlQuery>

using namespace tarvo::data;

namespace tarvo::test {

namespace {
// An order, a range and a filter, paged by a view and compared with one plain query.
struct PagingCase {
    const char *name;
    const char *keyName; // a declared key, or null for `order`
    std::vector<KeyComponent> order;
    QVariantList range;
    const char *filter;
    bool reversed = false;
    QStringList fixed; // the columns the compiled filter must report as fixed
};

const PagingCase kCases[] = {
    {"filter fixes the two leading components",
     nullptr,
     {{"Gray"}, {"PrgID", true}, {"Title"}, {"ID"}},
     {},
     "BUG:Gray = 1 AND BUG:PrgID = 2",
     false,
     {"\"Gray\"", "\"PrgID\""}},
    {"range fixes the first, the filter the second (descending)",
     nullptr,
     {{"PrgID"}, {"Gray", true}, {"Title", true}},
     {1},
     "BUG:Gray = 0",
     false,
     {"\"Gray\""}},
    {"a fixed component after a free one is no prefix",
     nullptr,
     {{"PrgID"}, {"Gray"}, {"Title"}},
     {},
     "BUG:Gray = 1",
     false,
     {"\"Gray\""}},
    {"a component compared only inside an OR is not fixed",
     nullptr,
     {{"Gray"}, {"Title"}},
     {},
     "BUG:Gray = 1 OR BUG:Title = 'T1'",
     false,
     {}},
    {"an OR beside a fixed term fixes only that term",
     nullptr,
     {{"Gray"}, {"PrgID"}, {"Title", true}},
     {},
     "BUG:Gray = 0 AND (BUG:PrgID = 1 OR BUG:PrgID = 2)",
     false,
     {"\"Gray\""}},
    {"fixed text component, reversed view",
     nullptr,
     {{"Title"}, {"PrgID", true}},
     {},
     "BUG:Title = 'T2' AND BUG:Status = 'open'",
     true,
     {"\"Title\"", "\"Status\""}},
    {"every component but the row fixed",
     nullptr,
     {{"Gray", true}, {"PrgID"}, {"ID", true}},
     {},
     "BUG:PrgID = 0 AND BUG:Gray = 1 AND BUG:ID > 3",
     false,
     {"\"PrgID\"", "\"Gray\""}},
    {"a unique key whose only component is fixed", "BUG:KeyID", {}, {}, "BUG:ID = 7", false, {"\"ID\""}},
};
} // namespace

class ViewFixedFilterTest : public StoreTest {
  protected:
    void SetUp() override
    {
        StoreTest::SetUp();
        if (IsSkipped())
            return;
        openDictionary();
        // Enough ties in every column that a position needs all of its free components.
        for (int id = 1; id <= 60; ++id)
            add("Issue", {{"PrgID", id % 3},
                          {"Gray", (id / 2) % 2},
                          {"Title", QStringLiteral("T%1").arg(id * 7 % 4)},
                          {"Status", id % 5 == 0 ? "closed" : "open"}});
        const RecordLayout &l = fm("Issue").layout();
        for (int i = 0; i < l.fieldCount(); ++i)
            m_names.addColumn(l.fullFieldName(i), l.column(i),
                              l.isText(i) ? expr::ValueType::Text : expr::ValueType::Number);
    }

    SqlCondition compile(const char *text)
    {
        auto e = expr::Expression::parse(QString::fromUtf8(text), m_names);
        EXPECT_TRUE(e.ok()) << text;
        const auto dialect =
            GetParam() == StoreKind::Postgres ? expr::Dialect::PostgreSql : expr::Dialect::Sqlite;
        auto sql = e->toSql(dialect, m_names);
        EXPECT_TRUE(sql.ok()) << text;
        return sql.ok() ? *sql : SqlCondition{};
    }

    // The rows in order by one query without any position.
    std::vector<qint64> plainQuery(const std::vector<KeyComponent> &order, const QVariantList &range,
                                   const SqlCondition &filter, bool reversed)
    {
        const RecordLayout &l = fm("Issue").layout();
        QStringList where, orderBy;
        QVariantList params;
        for (int i = 0; i < range.size(); ++i) {
            where << l.column(l.fieldIndex(order[size_t(i)].field)) + QStringLiteral(" = ?");
            params << range.at(i);
        }
        where << QLatin1Char('(') + filter.sql + QLatin1Char(')');
        params << filter.params;
        for (const KeyComponent &c : order) {
            const int f = l.fieldIndex(c.field);
            QString term = l.column(f);
            if (l.isText(f))
                term += QStringLiteral(" COLLATE ") + Store::collation(false);
            orderBy << term + (c.descending != reversed ? QStringLiteral(" DESC") : QString());
        }
        orderBy << RecordLayout::rowIdColumn() + (reversed ? QStringLiteral(" DESC") : QString());
        QSqlQuery q((*m_session->connection())->database());
        EXPECT_TRUE(q.prepare(QStringLiteral("SELECT \"ID\" FROM %1 WHERE %2 ORDER BY %3")
                                  .arg(RecordLayout::quote(l.table()), where.join(QStringLiteral(" AND ")),
                                       orderBy.join(QStringLiteral(", ")))));
        for (int i = 0; i < params.size(); ++i)
            q.bindValue(i, params.at(i));
        EXPECT_TRUE(q.exec());
        std::vector<qint64> out;
        while (q.next())
            out.push_back(q.value(0).toLongLong());
        return out;
    }

    expr::NameTable m_names;
};
TARVO_STORE_TEST_SUITE(ViewFixedFilterTest);

TEST_P(ViewFixedFilterTest, PagingBothWaysGivesThePlainQuerysRowsInItsOrder)
{
    for (const PagingCase &c : kCases) {
        SCOPED_TRACE(c.name);
        const SqlCondition filter = compile(c.filter);
        EXPECT_EQ(filter.fixedColumns.join(u',').toStdString(), c.fixed.join(u',').toStdString());

        std::unique_ptr<View> view;
        std::vector<KeyComponent> order = c.order;
        if (c.keyName) {
            view = std::make_unique<View>(fm("Issue"), QString::fromUtf8(c.keyName));
            order = fm("Issue")
                        .layout()
                        .key(fm("Issue").layout().keyIndex(QString::fromUtf8(c.keyName)))
                        .components;
        } else {
            view = std::make_unique<View>(fm("Issue"), order);
        }
        view->setRange(c.range);
        view->setFilter(filter);
        view->setReversed(c.reversed);
        const std::vector<qint64> want = plainQuery(order, c.range, filter, c.reversed);
        ASSERT_FALSE(want.empty());

        Cursor cursor(*view);
        std::vector<qint64> forward;
        for (auto page = cursor.nextPage(3); page.ok() && !page->empty(); page = cursor.nextPage(3))
            for (qint64 id : ids(*page))
                forward.push_back(id);
        EXPECT_EQ(forward, want);

        cursor.reset();
        std::vector<qint64> backward;
        for (auto page = cursor.previousPage(3); page.ok() && !page->empty(); page = cursor.previousPage(3)) {
            const auto got = ids(*page);
            backward.insert(backward.begin(), got.begin(), got.end());
        }
        EXPECT_EQ(backward, want);

        // Forward twice, then back: the rows just before the second page's last row.
        cursor.reset();
        auto rows = cursor.nextPage(2);
        if (want.size() >= 4) {
            rows = cursor.nextPage(2);
            auto back = cursor.previousPage(2);
            ASSERT_TRUE(back.ok());
            EXPECT_EQ(ids(*back), std::vector<qint64>(want.begin() + 1, want.begin() + 3));
        }

        // A position on a row (as a locator sets it) starts the next read with that row.
        auto all = view->rowsAfter(nullptr, 1000);
        ASSERT_TRUE(all.ok());
        for (size_t i = 0; i < all->size(); i += 2) {
            cursor.setPosition((*all)[i]);
            auto next = cursor.next();
            ASSERT_TRUE(next.ok() && next->has_value());
            EXPECT_EQ((**next).integer("ID"), want[i]);
        }
        EXPECT_EQ(*view->count(), qint64(want.size()));
    }
}

} // namespace tarvo::test
