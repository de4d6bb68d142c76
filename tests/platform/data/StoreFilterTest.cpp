#include "DataTestSupport.h"
#include "platform/data/ErrorCode.h"
#include "platform/data/View.h"
#include "platform/data/expr/Expression.h"
#include "platform/data/expr/NameTable.h"

using namespace tarvo::data;

namespace tarvo::test {

namespace {
const char *const kStatuses[] = {"Zebra", "BANANA", "ÄRGER", "apple", "Banana", "ärger", "Öl", "ZEBRA", "b"};
} // namespace

// Filters of the expression language on a real store: the rows SQL selects are the rows the
// in-memory evaluator selects, and a text range ("<", ">") follows the list's order.
class StoreFilterTest : public StoreTest {
  protected:
    void SetUp() override
    {
        StoreTest::SetUp();
        if (IsSkipped())
            return;
        openDictionary();
        int prg = 0;
        for (const char *status : kStatuses)
            add("Issue", {{"PrgID", prg++ * 7}, {"Status", QString::fromUtf8(status)}, {"Title", "T"}});
        const RecordLayout &l = fm("Issue").layout();
        for (int i = 0; i < l.fieldCount(); ++i)
            m_names.addColumn(l.fullFieldName(i), l.column(i),
                              l.isText(i) ? expr::ValueType::Text : expr::ValueType::Number);
        m_names.bind(QStringLiteral("SecP"), QStringLiteral("|0|14|21|x|49|"));
    }

    expr::Dialect dialect() const
    {
        return GetParam() == StoreKind::Postgres ? expr::Dialect::PostgreSql : expr::Dialect::Sqlite;
    }

    std::vector<Record> all(const std::vector<KeyComponent> &order)
    {
        View view(fm("Issue"), order);
        auto rows = view.rowsAfter(nullptr, 100);
        EXPECT_TRUE(rows.ok());
        return rows.ok() ? *rows : std::vector<Record>{};
    }

    // The IDs the filter selects through SQL, in ID order.
    std::vector<qint64> bySql(const QString &filter)
    {
        auto e = expr::Expression::parse(filter, m_names);
        EXPECT_TRUE(e.ok()) << filter.toStdString();
        auto sql = e->toSql(dialect(), m_names);
        EXPECT_TRUE(sql.ok()) << filter.toStdString() << ": "
                              << (sql ? "" : sql.error().message.toStdString());
        if (!sql)
            return {};
        View view(fm("Issue"), std::vector<KeyComponent>{{"ID"}});
        view.setFilter(*sql);
        auto rows = view.rowsAfter(nullptr, 100);
        EXPECT_TRUE(rows.ok()) << filter.toStdString();
        return rows.ok() ? ids(*rows) : std::vector<qint64>{};
    }

    // The IDs the filter selects evaluated in memory, in ID order.
    std::vector<qint64> inMemory(const QString &filter)
    {
        auto e = expr::Expression::parse(filter, m_names);
        std::vector<qint64> out;
        for (const Record &r : all({{"ID"}})) {
            for (int i = 0; i < r.layout().fieldCount(); ++i)
                m_names.setColumnValue(r.layout().fullFieldName(i), r.value(i));
            if (e && e->matches(m_names))
                out.push_back(r.integer("ID"));
        }
        return out;
    }

    expr::NameTable m_names;
};
TARVO_STORE_TEST_SUITE(StoreFilterTest);

TEST_P(StoreFilterTest, TextRangeKeepsExactlyTheRowsTheListShowsOnItsSide)
{
    const std::vector<Record> list = all({{"Status"}, {"ID"}});
    ASSERT_EQ(list.size(), std::size(kStatuses));
    for (size_t i = 0; i < list.size(); ++i) {
        const QString cell = list[i].text("Status");
        std::vector<qint64> above, below;
        for (size_t k = 0; k < list.size(); ++k)
            (k < i ? above : below).push_back(list[k].integer("ID"));
        below.erase(below.begin()); // the cell's own row
        std::sort(above.begin(), above.end());
        std::sort(below.begin(), below.end());
        const QString quoted = QString(cell).replace(u'\'', QStringLiteral("''"));
        for (const auto &[op, want] : {std::pair{"<", above}, std::pair{">", below}}) {
            const QString filter = QStringLiteral("BUG:Status %1 '%2'").arg(QLatin1String(op), quoted);
            EXPECT_EQ(bySql(filter), want) << filter.toStdString();
            EXPECT_EQ(inMemory(filter), want) << filter.toStdString();
        }
    }
}

TEST_P(StoreFilterTest, SqlAndMemoryAgreeOnTheProgramLimitAndNumbersAtTheEdge)
{
    const char *const filters[] = {
        "INSTRING('|' & BUG:PrgID & '|', SecP, 1, 1)",
        "INSTRING('|' & BUG:PrgID & '|', SecP, 1, 1) = 0",
        "0 < INSTRING('|' & BUG:Status & '|', '|b|Öl|ZEBRA|', 1, 1)",
        "INSTRING('e', BUG:Status, 1, 4294967297) = 0",
        "INSTRING('', BUG:Status, 1, 99999999999999999999) = 2147483647",
        "SUB(BUG:Status, 3000000000, 9223372036854775808) = ''",
        "SUB(BUG:Status, 2, 18446744073709551616) = 'ebra'",
    };
    for (const char *filter : filters) {
        const QString text = QString::fromUtf8(filter);
        EXPECT_EQ(bySql(text), inMemory(text)) << filter;
    }
    EXPECT_EQ(bySql(QString::fromUtf8(filters[0])), (std::vector<qint64>{1, 3, 4, 8}));
}

TEST_P(StoreFilterTest, TextsHoldingNulAreRefusedWhereTheyCannotBeKept)
{
    const QString withNul = QStringLiteral("a") + QChar(0) + QStringLiteral("b");
    m_names.bind(QStringLiteral("Evil"), withNul);
    auto e = expr::Expression::parse(QStringLiteral("BUG:Status < Evil"), m_names);
    ASSERT_TRUE(e.ok());
    auto sql = e->toSql(dialect(), m_names);
    ASSERT_FALSE(sql.ok());
    EXPECT_EQ(sql.error().code, expr::RefusedValue);

    m_reporter.errors.clear();
    Record issue = fm("Issue").newRecord();
    issue.setValue("Status", withNul);
    auto added = fm("Issue").insert(issue);
    if (GetParam() == StoreKind::Postgres) {
        ASSERT_FALSE(added.ok());
        EXPECT_EQ(added.error().code, ErrorCode::InvalidRecordDeclaration);
        ASSERT_EQ(m_reporter.errors.size(), 1u);
        EXPECT_EQ(m_reporter.errors[0].field.toStdString(), "BUG:Status");
        EXPECT_TRUE(m_reporter.errors[0].errorText.contains(QStringLiteral("NUL")))
            << m_reporter.errors[0].errorText.toStdString();
        EXPECT_EQ(count("Issue"), qint64(std::size(kStatuses)));
    } else {
        ASSERT_TRUE(added.ok());
        Record back = fm("Issue").newRecord();
        ASSERT_TRUE(fm("Issue").fetchRow(issue.rowId(), back).ok());
        EXPECT_EQ(back.text("Status"), withNul);
    }
}

} // namespace tarvo::test
