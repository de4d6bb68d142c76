#include "DataTestSupport.h"
#include "platform/data/Cursor.h"
#include "platform/data/ErrorCode.h"
#include "platform/data/View.h"

#include <set>

using namespace tarvo::data;

namespace tarvo::test {

namespace {
// Every row of the view a page at a time forward, then back from the end.
std::pair<std::vector<Record>, std::vector<Record>> walk(View &view, int page)
{
    std::vector<Record> forward, backward;
    Cursor cursor(view);
    for (auto p = cursor.nextPage(page); p.ok() && !p->empty(); p = cursor.nextPage(page))
        forward.insert(forward.end(), p->begin(), p->end());
    Cursor back(view);
    for (auto p = back.previousPage(page); p.ok() && !p->empty(); p = back.previousPage(page))
        backward.insert(backward.begin(), p->begin(), p->end());
    return {forward, backward};
}
} // namespace

class ViewColumnsTest : public TwentyFiveIssuesTest {};
TARVO_STORE_TEST_SUITE(ViewColumnsTest);

TEST_P(ViewColumnsTest, PartialViewPagesLikeAFullOneAndHoldsOnlyItsFields)
{
    struct Case {
        const char *key;
        QVariantList range;
        bool reversed;
    };
    const Case cases[] = {{"BUG:KeyID", {}, false},
                          {"BUG:KeyGrayTitle", {}, false},
                          {"BUG:KeyGrayTitle", {}, true},
                          {"BUG:KeyPrgIDID", {1}, false}};
    for (const Case &c : cases) {
        SCOPED_TRACE(c.key);
        View full(fm("Issue"), c.key), partial(fm("Issue"), c.key);
        for (View *v : {&full, &partial}) {
            v->setRange(c.range);
            v->setReversed(c.reversed);
        }
        ASSERT_TRUE(partial.setColumns({"BUG:ID", "BUG:Status"}));
        const auto [fullForward, fullBackward] = walk(full, 4);
        const auto [forward, backward] = walk(partial, 4);
        EXPECT_EQ(ids(forward), ids(fullForward));
        EXPECT_EQ(ids(backward), ids(fullForward));
        EXPECT_EQ(ids(fullBackward), ids(fullForward));
        EXPECT_EQ(*partial.count(), qint64(fullForward.size()));
        ASSERT_EQ(forward.size(), fullForward.size());
        for (size_t i = 0; i < forward.size(); ++i) {
            const Record &p = forward[i], &f = fullForward[i];
            EXPECT_TRUE(p.isPartial());
            EXPECT_FALSE(f.isPartial());
            EXPECT_EQ(p.rowId(), f.rowId());
            EXPECT_EQ(p.text("Status"), f.text("Status"));
            EXPECT_EQ(p.text("BugText"), QString());
            EXPECT_EQ(p.bytes("Data"), QByteArray());
            EXPECT_FALSE(f.text("BugText").isEmpty());
            // A field not read holds its type's empty value, as a new record does.
            const Record empty = fm("Issue").newRecord();
            for (int k = 0; k < empty.layout().fieldCount(); ++k)
                if (p.value(k) != f.value(k)) {
                    EXPECT_EQ(p.value(k), empty.value(k)) << k;
                }
            EXPECT_EQ(p.value("BugText").typeId(), QMetaType::QString);
            Record cleared = p;
            cleared.clear();
            EXPECT_TRUE(cleared.sameValues(empty));
            EXPECT_FALSE(p.sameValues(f));
        }
    }

    View view(fm("Issue"), "BUG:KeyID");
    EXPECT_FALSE(view.setColumns({"BUG:Status", "BUG:NoSuchField"}));
    ASSERT_TRUE(view.setColumns({"BUG:Status", "BUG:Title", "BUG:BugText"}));
    EXPECT_EQ((*view.first())->text("BugText"), QStringLiteral("text of 25"));
    // Every field asked for makes whole records again.
    ASSERT_TRUE(view.setColumns({"PrgID", "Title", "Status", "Gray", "BugText", "Data"}));
    EXPECT_FALSE((*view.first())->isPartial());
    ASSERT_TRUE(view.setColumns({}));
    EXPECT_FALSE((*view.first())->isPartial());
}

TEST_P(ViewColumnsTest, PartialRecordsAreNeverWritten)
{
    View view(fm("Issue"), "BUG:KeyID");
    ASSERT_TRUE(view.setColumns({"BUG:Status"}));
    auto rows = view.rowsAfter(nullptr, 2);
    ASSERT_TRUE(rows.ok());
    ASSERT_EQ(rows->size(), 2u);
    Record edited = rows->at(0);
    edited.setValue("Status", QStringLiteral("edited"));
    Record copy = rows->at(1);

    const auto update = fm("Issue").update(edited);
    const auto remove = fm("Issue").remove(edited);
    const auto insert = fm("Issue").insert(copy);
    const auto cascade = rm("Issue").remove(edited);
    for (const auto &r : {update, remove, insert, cascade}) {
        ASSERT_FALSE(r.ok());
        EXPECT_EQ(r.error().code, ErrorCode::InvalidRecordDeclaration);
    }
    EXPECT_EQ(count("Issue"), 25);
    EXPECT_EQ(count("Issue", QStringLiteral("\"Status\" = 'edited'")), 0);
    EXPECT_EQ(count("Issue", QStringLiteral("\"BugText\" = 'text of 25'")), 1);

    // The whole record, read again by its row, is written as usual.
    Record whole = fm("Issue").newRecord();
    ASSERT_TRUE(fm("Issue").fetchRow(edited.rowId(), whole).ok());
    EXPECT_FALSE(whole.isPartial());
    whole.setValue("Status", QStringLiteral("edited"));
    EXPECT_TRUE(fm("Issue").update(whole).ok());
    EXPECT_EQ(count("Issue", QStringLiteral("\"Status\" = 'edited' AND \"BugText\" = 'text of 25'")), 1);
}

TEST_P(ViewColumnsTest, RunTimeOrderOnAUniqueKeysViewLosesNoTiesBetweenPages)
{
    // Status and Title repeat across every page of four; the view was built on the unique KeyID.
    const std::vector<std::vector<KeyComponent>> orders = {
        {{"BUG:Status"}},
        {{"BUG:Title", true}, {"BUG:Status"}},
        {{"BUG:Status"}, {"BUG:ID", true}}, // unique through ID: no row id needed
    };
    for (const auto &order : orders) {
        for (const bool partial : {false, true}) {
            SCOPED_TRACE(QString(order.front().field + (partial ? " partial" : "")).toStdString());
            View view(fm("Issue"), "BUG:KeyID");
            view.setOrder(order);
            if (partial) {
                ASSERT_TRUE(view.setColumns({"BUG:ID", "BUG:Gray"}));
            }
            const auto [forward, backward] = walk(view, 4);
            const std::vector<qint64> got = ids(forward);
            EXPECT_EQ(std::set<qint64>(got.begin(), got.end()).size(), 25u);
            EXPECT_EQ(ids(backward), got);
            for (size_t i = 1; i < forward.size(); ++i) {
                const Record &a = forward[i - 1], &b = forward[i];
                for (const KeyComponent &c : order) {
                    const QVariant va = a.value(c.field), vb = b.value(c.field);
                    if (va == vb)
                        continue;
                    const bool ascending = QVariant::compare(va, vb) == QPartialOrdering::Less;
                    EXPECT_EQ(ascending, !c.descending) << i;
                    break;
                }
            }
        }
    }
}

// Reading plain values gives what the partial records hold, in the order of readFields(), from
// the start and after any anchor, with the filter in SQL and with a predicate.
TEST_P(ViewColumnsTest, ValuesAreThoseOfThePartialRecords)
{
    for (const bool predicate : {false, true}) {
        SCOPED_TRACE(predicate ? "with a predicate" : "in SQL");
        View view(fm("Issue"), "BUG:KeyGrayTitle");
        ASSERT_TRUE(view.setColumns({"BUG:BugText", "BUG:Data"}));
        if (predicate)
            view.setPredicate([](const Record &r) { return !r.text("BugText").endsWith(QLatin1Char('5')); });
        auto records = view.rowsAfter(nullptr, 100);
        ASSERT_TRUE(records.ok());
        ASSERT_EQ(records->size(), predicate ? 22u : 25u);
        const std::vector<int> read = view.readFields();
        ASSERT_EQ(read.size(), 4u); // Gray, Title, BugText, Data
        for (const size_t skip : {size_t(0), size_t(7)}) {
            std::vector<std::pair<std::vector<QVariant>, qint64>> rows;
            auto n = view.valuesAfter(
                skip ? &records->at(skip - 1) : nullptr, 100,
                [&](std::vector<QVariant> &values, qint64 rowId) { rows.emplace_back(values, rowId); });
            ASSERT_TRUE(n.ok()) << n.error().message.toStdString();
            ASSERT_EQ(size_t(*n), records->size() - skip);
            ASSERT_EQ(rows.size(), records->size() - skip);
            for (size_t i = 0; i < rows.size(); ++i) {
                const Record &r = records->at(skip + i);
                EXPECT_EQ(rows[i].second, r.rowId());
                for (size_t k = 0; k < read.size(); ++k) {
                    EXPECT_EQ(rows[i].first.at(k), r.value(read[k])) << i << "," << k;
                    EXPECT_EQ(rows[i].first.at(k).typeId(), r.value(read[k]).typeId());
                }
            }
        }
    }
}

} // namespace tarvo::test
