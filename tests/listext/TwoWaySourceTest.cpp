#include "listext/ViewRowSource.h"
#include "platform/data/Dictionary.h"
#include "platform/data/Session.h"
#include "platform/data/Store.h"
#include "platform/data/TableSchema.h"
#include "support/PostgresServer.h"
#include "support/SmallBugStore.h"
#include "support/TempDir.h"

#include <algorithm>
#include <gtest/gtest.h>

using namespace tarvo;
using namespace tarvo::listext;

namespace {

std::vector<qint64> keysOf(const RowSource &source, const std::vector<SourceRow> &rows)
{
    std::vector<qint64> keys;
    for (const SourceRow &r : rows)
        keys.push_back(source.rowKey(r));
    return keys;
}

// Every row of the source from the first, a page at a time.
std::vector<SourceRow> forwards(RowSource &source, int page)
{
    std::vector<SourceRow> rows;
    for (;;) {
        auto next = source.rowsAfter(rows.empty() ? nullptr : &rows.back(), page);
        EXPECT_TRUE(next.ok());
        if (!next.ok() || next->empty())
            return rows;
        for (auto &r : *next)
            rows.push_back(std::move(r));
    }
}

// Every row from the last, a page at a time, put back in the list's order.
std::vector<SourceRow> backwards(RowSource &source, int page)
{
    std::vector<SourceRow> rows; // last row first
    for (;;) {
        auto previous = source.rowsBefore(rows.empty() ? nullptr : &rows.back(), page);
        EXPECT_TRUE(previous.ok());
        if (!previous.ok() || previous->empty())
            break;
        for (auto it = previous->rbegin(); it != previous->rend(); ++it)
            rows.push_back(std::move(*it));
    }
    std::reverse(rows.begin(), rows.end());
    return rows;
}

// 53 issues whose statuses and priorities repeat (so that orders on them have ties across pages),
// on SQLite and on the PostgreSQL test server.
class TwoWaySource : public ::testing::TestWithParam<data::StoreKind> {
  protected:
    void SetUp() override
    {
        if (GetParam() == data::StoreKind::Postgres) {
            auto &pg = test::PostgresServer::instance();
            if (!pg.available())
                GTEST_SKIP() << pg.reason().toStdString();
            ASSERT_TRUE(pg.dropSchema(QStringLiteral("tarvo")));
            pg.writeDatabaseIni(m_dir.path());
        }
        auto dict = data::Dictionary::open(test::smallBugDictionary(true), m_dir.path());
        ASSERT_TRUE(dict.ok()) << dict.error().message.toStdString();
        m_dictionary = std::move(dict.value());
        m_session = m_dictionary->createSession(1, &m_reporter);
        m_bugs = m_session->file(QStringLiteral("Bugs"));
        ASSERT_TRUE(m_bugs->open().ok());
        const QStringList statuses{QStringLiteral("open"), QStringLiteral("closed"), QStringLiteral("Open"),
                                   QStringLiteral("waiting")};
        for (int i = 1; i <= 53; ++i) {
            data::Record r = m_bugs->newRecord();
            r.setValue(QStringLiteral("ID"), i);
            r.setValue(QStringLiteral("Status"), statuses.at(i % 4));
            r.setValue(QStringLiteral("Priority"), i * 7 % 5);
            r.setValue(QStringLiteral("Description"), QStringLiteral("Issue %1").arg(i));
            ASSERT_TRUE(m_bugs->insert(r).ok());
        }
    }
    void TearDown() override
    {
        m_session.reset();
        m_dictionary.reset();
    }

    test::TempDir m_dir;
    test::SilentReporter m_reporter;
    std::unique_ptr<data::Dictionary> m_dictionary;
    std::unique_ptr<data::Session> m_session;
    data::FileManager *m_bugs = nullptr;
};

struct Shape {
    const char *what;
    std::vector<SortKey> order;
    QString filter;
    QStringList narrowedTo; // empty: every field
};

const std::vector<Shape> &shapes()
{
    static const std::vector<Shape> list{
        {"the key's own order", {}, {}, {}},
        {"a sort with ties, case-insensitive",
         {{QStringLiteral("BUG:Status"), true, true}, {QStringLiteral("BUG:Priority"), false, false}},
         {},
         {}},
        {"a filter",
         {{QStringLiteral("BUG:Priority"), false, false}},
         QStringLiteral("BUG:Priority > 1"),
         {}},
        {"read as values", {}, {}, {QStringLiteral("BUG:Description")}},
        {"read as values, sorted by another field",
         {{QStringLiteral("BUG:Status"), false, true}},
         {},
         {QStringLiteral("BUG:Description"), QStringLiteral("BUG:ID")}},
    };
    return list;
}

// Whichever way and whatever page size a list is read, it holds the same rows in the same order,
// and every row knows its position and can be reached by skipping from either end.
TEST_P(TwoWaySource, ReadsTheSameRowsEitherWayAndKnowsTheirPositions)
{
    for (const Shape &s : shapes()) {
        SCOPED_TRACE(s.what);
        ViewRowSource whole(*m_bugs, QStringLiteral("BUG:KeyID"));
        ASSERT_TRUE(whole.setOrder(s.order).ok());
        ASSERT_TRUE(whole.setFilter(s.filter).ok());
        std::unique_ptr<RowSource> narrowed = s.narrowedTo.isEmpty() ? nullptr : whole.narrowed(s.narrowedTo);
        RowSource &source = narrowed ? *narrowed : whole;
        const auto all = forwards(source, 1000);
        ASSERT_GT(all.size(), 10u);
        ASSERT_EQ(source.count().value(), qint64(all.size()));
        const auto expected = keysOf(source, all);
        for (const int page : {1, 4, 7}) {
            EXPECT_EQ(keysOf(source, forwards(source, page)), expected) << "forwards by " << page;
            EXPECT_EQ(keysOf(source, backwards(source, page)), expected) << "backwards by " << page;
        }
        // From a row inside a page either way, and the row's place counted and skipped to.
        for (const size_t i : {size_t(1), size_t(5), all.size() / 2, all.size() - 2}) {
            SCOPED_TRACE(i);
            auto before = source.rowsBefore(&all[i], 3);
            ASSERT_TRUE(before.ok());
            const std::vector<qint64> three(expected.begin() + qsizetype(std::max<size_t>(i, 3) - 3),
                                            expected.begin() + qsizetype(i));
            EXPECT_EQ(keysOf(source, *before), three);
            auto after = source.rowsAfter(&all[i], 1);
            ASSERT_TRUE(after.ok());
            ASSERT_EQ(after->size(), 1u);
            EXPECT_EQ(source.rowKey(after->front()), expected[i + 1]);
            EXPECT_EQ(source.position(all[i]).value(), qint64(i));
            auto fromStart = source.skip(nullptr, qint64(i) + 1, true);
            ASSERT_TRUE(fromStart.ok() && fromStart->has_value());
            EXPECT_EQ(source.rowKey(**fromStart), expected[i]);
            auto fromEnd = source.skip(nullptr, qint64(all.size() - i), false);
            ASSERT_TRUE(fromEnd.ok() && fromEnd->has_value());
            EXPECT_EQ(source.rowKey(**fromEnd), expected[i]);
            auto onwards = source.skip(&all[i], 2, true);
            ASSERT_TRUE(onwards.ok());
            if (i + 2 < all.size()) {
                ASSERT_TRUE(onwards->has_value());
                EXPECT_EQ(source.rowKey(**onwards), expected[i + 2]);
            } else {
                EXPECT_FALSE(onwards->has_value());
            }
        }
        auto beyond = source.skip(nullptr, qint64(all.size()) + 1, true);
        ASSERT_TRUE(beyond.ok());
        EXPECT_FALSE(beyond->has_value());
    }
}

// The locator's search: the first row whose leading sort values are at or after the text, in the
// order's direction and collation.
TEST_P(TwoWaySource, LocatesTheFirstRowAtOrAfterTheLeadingValues)
{
    struct Case {
        const char *what;
        std::vector<SortKey> order;
        QVariantList leading;
        int expectedId; // 0: none
    };
    const std::vector<Case> cases{
        {"the key, newest first", {}, {20}, 20},
        {"a number given as text", {}, {QStringLiteral("17")}, 17},
        {"past the oldest", {}, {0}, 0},
        {"case-insensitive status",
         {{QStringLiteral("BUG:Status"), false, true}},
         {QStringLiteral("OP")},
         52},
        {"descending status", {{QStringLiteral("BUG:Status"), true, true}}, {QStringLiteral("p")}, 52},
        {"status and priority",
         {{QStringLiteral("BUG:Status"), false, true}, {QStringLiteral("BUG:Priority"), false, false}},
         {QStringLiteral("waiting"), 3},
         39},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        ViewRowSource source(*m_bugs, QStringLiteral("BUG:KeyID"));
        ASSERT_TRUE(source.setOrder(c.order).ok());
        auto rows = source.locate(c.leading, 2);
        ASSERT_TRUE(rows.ok()) << rows.error().message.toStdString();
        if (c.expectedId == 0) {
            EXPECT_TRUE(rows->empty());
            continue;
        }
        ASSERT_FALSE(rows->empty());
        const int id = rows->front().values.at(source.fieldIndex(QStringLiteral("BUG:ID"))).toInt();
        // The expected row is the first of the whole list that is not before the values.
        const auto all = forwards(source, 100);
        ASSERT_EQ(source.position(rows->front()).value(),
                  qint64(std::find_if(all.begin(), all.end(),
                                      [&](const SourceRow &r) {
                                          return source.rowKey(r) == source.rowKey(rows->front());
                                      }) -
                         all.begin()));
        EXPECT_EQ(id, c.expectedId);
    }
}

// After a form changed the row's sort value, the list finds the row again at its new place; a
// deleted row is reported gone.
TEST_P(TwoWaySource, FindsARowAgainAtItsNewPlaceOrReportsItGone)
{
    ViewRowSource source(*m_bugs, QStringLiteral("BUG:KeyID"));
    ASSERT_TRUE(source.setOrder({{QStringLiteral("BUG:Status"), false, true}}).ok());
    const auto before = forwards(source, 100);
    const SourceRow &first = before.front();
    const qint64 key = source.rowKey(first);

    data::Record record = m_bugs->newRecord();
    ASSERT_TRUE(m_bugs->fetchRow(key, record).ok());
    record.setValue(QStringLiteral("Status"), QStringLiteral("zz last"));
    ASSERT_TRUE(m_bugs->update(record).ok());
    auto at = source.rowsAt(key, 3);
    ASSERT_TRUE(at.ok()) << at.error().message.toStdString();
    ASSERT_EQ(at->size(), 1u); // the last row now
    EXPECT_EQ(source.rowKey(at->front()), key);
    EXPECT_EQ(at->front().values.at(source.fieldIndex(QStringLiteral("BUG:Status"))).toString(),
              QStringLiteral("zz last"));
    EXPECT_EQ(source.position(at->front()).value(), qint64(before.size()) - 1);

    ASSERT_TRUE(m_bugs->remove(record).ok());
    auto gone = source.rowsAt(key, 3);
    ASSERT_FALSE(gone.ok());
    EXPECT_EQ(gone.error().code, RowGone);
}

// The row ids of the issues in a plain ORDER BY of the given fields (the list's key, ID newest
// first, breaking ties), optionally narrowed by an SQL condition.
std::vector<qint64> orderedIds(data::FileManager &bugs, const std::vector<SortKey> &order,
                               const QString &where)
{
    const data::RecordLayout &l = bugs.layout();
    QStringList terms;
    for (const SortKey &k : order)
        terms << data::TableSchema::orderTerm(l, l.fieldIndex(k.field.mid(4)), k.caseInsensitive,
                                              k.descending);
    terms << QStringLiteral("\"ID\" DESC");
    auto conn = bugs.connection();
    EXPECT_TRUE(conn.ok());
    auto q = (*conn)->exec(QStringLiteral("SELECT \"_rid\" FROM \"Bugs\"%1 ORDER BY %2")
                               .arg(where.isEmpty() ? QString() : QStringLiteral(" WHERE ") + where,
                                    terms.join(QStringLiteral(", "))));
    EXPECT_TRUE(q.ok()) << q.error().message.toStdString();
    std::vector<qint64> ids;
    while (q.ok() && q.value()->next())
        ids.push_back(q.value()->value(0).toLongLong());
    return ids;
}

// A header sort on fields no key serves is read once and paged through: the pages either way
// hold the rows of a plain ORDER BY (ties and empty values included), and after writes that move,
// add and remove rows the list is read again in the new order.
TEST_P(TwoWaySource, PagesAfterAHeaderSortFollowAPlainOrderByThroughWrites)
{
    // Empty statuses and zero priorities sort first (or last), among rows tied on them.
    for (const qint64 id : {5, 10, 11, 30}) {
        data::Record r = m_bugs->newRecord();
        r.setValue(QStringLiteral("ID"), id);
        ASSERT_TRUE(m_bugs->fetch(QStringLiteral("KeyID"), r).ok());
        r.setValue(QStringLiteral("Status"), QString());
        r.setValue(QStringLiteral("Priority"), 0);
        ASSERT_TRUE(m_bugs->update(r).ok());
    }
    struct Case {
        const char *what;
        std::vector<SortKey> order;
        QString filter; // in the list's language
        QString where;  // the same in SQL
    };
    const std::vector<Case> cases{
        {"status, any case", {{QStringLiteral("BUG:Status"), false, true}}, {}, {}},
        {"status descending, then priority",
         {{QStringLiteral("BUG:Status"), true, false}, {QStringLiteral("BUG:Priority"), false, false}},
         {},
         {}},
        {"priority descending, filtered",
         {{QStringLiteral("BUG:Priority"), true, false}},
         QStringLiteral("BUG:Priority < 4"),
         QStringLiteral("\"Priority\" < 4")},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        ViewRowSource whole(*m_bugs, QStringLiteral("BUG:KeyID"));
        ASSERT_TRUE(whole.setOrder(c.order).ok());
        ASSERT_TRUE(whole.setFilter(c.filter).ok());
        std::unique_ptr<RowSource> narrowed = whole.narrowed({QStringLiteral("BUG:Description")});
        ASSERT_TRUE(narrowed);
        for (RowSource *source : {static_cast<RowSource *>(&whole), narrowed.get()}) {
            const std::vector<qint64> expected = orderedIds(*m_bugs, c.order, c.where);
            ASSERT_GT(expected.size(), 20u);
            EXPECT_EQ(source->count().value(), qint64(expected.size()));
            EXPECT_EQ(keysOf(*source, forwards(*source, 6)), expected);
            EXPECT_EQ(keysOf(*source, backwards(*source, 6)), expected);
        }

        // A row moved from the end to the front, one added, one removed.
        const std::vector<qint64> before = orderedIds(*m_bugs, c.order, c.where);
        data::Record moved = m_bugs->newRecord();
        ASSERT_TRUE(m_bugs->fetchRow(before.back(), moved).ok());
        const QString status = moved.value(QStringLiteral("Status")).toString();
        moved.setValue(QStringLiteral("Status"),
                       c.order.front().descending ? QStringLiteral("zzz") : QString());
        moved.setValue(QStringLiteral("Priority"), c.order.front().descending ? 3 : 0);
        ASSERT_TRUE(m_bugs->update(moved).ok());
        data::Record added = m_bugs->newRecord();
        added.setValue(QStringLiteral("Status"), QStringLiteral("open"));
        added.setValue(QStringLiteral("Priority"), 2);
        ASSERT_TRUE(m_bugs->insert(added).ok());
        data::Record removed = m_bugs->newRecord();
        ASSERT_TRUE(m_bugs->fetchRow(before[before.size() / 2], removed).ok());
        ASSERT_TRUE(m_bugs->remove(removed).ok());
        const std::vector<qint64> after = orderedIds(*m_bugs, c.order, c.where);
        ASSERT_NE(after, before);
        EXPECT_EQ(whole.count().value(), qint64(after.size()));
        EXPECT_EQ(keysOf(whole, forwards(whole, 7)), after);
        EXPECT_EQ(keysOf(whole, backwards(whole, 7)), after);
        auto at = whole.rowsAt(moved.rowId(), 2);
        ASSERT_TRUE(at.ok());
        ASSERT_FALSE(at->empty());
        EXPECT_EQ(whole.position(at->front()).value(),
                  qint64(std::find(after.begin(), after.end(), moved.rowId()) - after.begin()));
        moved.setValue(QStringLiteral("Status"), status);
        ASSERT_TRUE(m_bugs->update(moved).ok());
    }
}

// A write of another session (another window, another program) shows on SQLite at the next page;
// on either store once the list reads again, as it does on the refresh notice.
TEST_P(TwoWaySource, AHeaderSortSeesWritesOfOtherSessions)
{
    const std::vector<SortKey> order{{QStringLiteral("BUG:Status"), false, false}};
    ViewRowSource source(*m_bugs, QStringLiteral("BUG:KeyID"));
    ASSERT_TRUE(source.setOrder(order).ok());
    const std::vector<qint64> before = orderedIds(*m_bugs, order, {});
    ASSERT_EQ(keysOf(source, forwards(source, 10)), before);

    auto other = m_dictionary->createSession(2, &m_reporter);
    data::FileManager *bugs = other->file(QStringLiteral("Bugs"));
    ASSERT_TRUE(bugs->open().ok());
    data::Record r = bugs->newRecord();
    ASSERT_TRUE(bugs->fetchRow(before.back(), r).ok());
    r.setValue(QStringLiteral("Status"), QStringLiteral("aaa first"));
    ASSERT_TRUE(bugs->update(r).ok());
    const std::vector<qint64> after = orderedIds(*m_bugs, order, {});
    ASSERT_EQ(after.front(), before.back());

    if (GetParam() == data::StoreKind::Sqlite) {
        EXPECT_EQ(keysOf(source, forwards(source, 10)), after);
    }
    source.dropKept();
    EXPECT_EQ(keysOf(source, forwards(source, 10)), after);
    EXPECT_EQ(keysOf(source, backwards(source, 10)), after);
}

INSTANTIATE_TEST_SUITE_P(Stores, TwoWaySource,
                         ::testing::Values(data::StoreKind::Sqlite, data::StoreKind::Postgres),
                         [](const ::testing::TestParamInfo<data::StoreKind> &info) {
                             return info.param == data::StoreKind::Postgres ? std::string("PostgreSQL")
                                                                            : std::string("SQLite");
                         });

} // namespace
