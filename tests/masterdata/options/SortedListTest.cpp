#include "masterdata/options/SortedList.h"

#include "core/dictionary/TarvoStoreTest.h"
#include "platform/data/RecordLayout.h"
#include "platform/runtime/Text.h"

#include <QStringList>

namespace tarvo::test {

namespace {

using masterdata::SortedList;
using Kind = SortedList::Kind;

// One list of the Options window and whether its renumbering reaches the issues.
struct ListCase {
    const char *name;
    Kind kind;
    qint32 programId;
    bool issuesFollow;
};

const std::vector<ListCase> listCases = {
    {"GlobalIssueStatuses", Kind::Status, 0, true},
    {"ProgramIssueStatuses", Kind::Status, 7, true},
    {"ProgramStatuses", Kind::Status, masterdata::ProgramStatusList, false},
    {"NoteStatuses", Kind::Status, masterdata::NoteStatusList, false},
    {"Severities", Kind::Severity, 0, false},
    {"ProgramClassifications", Kind::Classification, 7, false},
};

const QStringList abcd = {"A", "B", "C", "D"};

} // namespace

class SortedListTest : public TarvoStoreTest {
  protected:
    // The list holding exactly `texts`, numbered 1..n, and for each text two issues that show the
    // status with its number: one of program 7 and one of program 8.
    SortedList seed(const ListCase &c, const QStringList &texts = abcd)
    {
        SortedList list(session(), c.kind, c.programId);
        data::FileManager &file = fm(list.label());
        EXPECT_TRUE(file.open());
        EXPECT_TRUE(fm("Bugs").open());
        exec(QStringLiteral("DELETE FROM %1 WHERE %2 = %3")
                 .arg(data::RecordLayout::quote(file.layout().table()),
                      file.layout().column(file.layout().fieldIndex(QStringLiteral("PrgID"))))
                 .arg(c.programId));
        exec(QStringLiteral("DELETE FROM %1").arg(data::RecordLayout::quote(fm("Bugs").layout().table())));
        for (int i = 0; i < texts.size(); ++i) {
            add(list.label(), {{"PrgID", c.programId}, {"SORT", i + 1}, {list.textField(), texts[i]}});
            for (int program : {7, 8})
                add("Bugs", {{"PrgID", program}, {"Status", texts[i]}, {"StatusSort", i + 1}});
        }
        return list;
    }

    QStringList order(const SortedList &list)
    {
        auto rows = list.entries();
        EXPECT_TRUE(rows.ok());
        QStringList texts;
        qint64 expected = 1;
        for (const data::Record &r : rows.value()) {
            EXPECT_EQ(r.integer("SORT"), expected++) << "the sort numbers have a gap or a repeat";
            texts << Text::clip(r.text(list.textField()));
        }
        return texts;
    }

    data::Record entry(const SortedList &list, const QString &text)
    {
        const auto rows = list.entries();
        for (const data::Record &r : rows.value())
            if (Text::clip(r.text(list.textField())) == text)
                return r;
        ADD_FAILURE() << "no entry " << text.toStdString();
        return {};
    }

    // "text:sort" of every issue of a program, in the order they were added.
    QStringList issueSorts(int program)
    {
        QStringList out;
        for (const data::Record &bug : records("Bugs"))
            if (bug.integer("PrgID") == program)
                out << QStringLiteral("%1:%2")
                           .arg(Text::clip(bug.text("Status")))
                           .arg(bug.integer("StatusSort"));
        return out;
    }

    // The issue numbers expected after a change of the list from `before` to `after`, for a program
    // the list speaks for.
    QStringList expectedIssues(const ListCase &c, int program, const QStringList &before,
                               const QStringList &after)
    {
        QStringList out;
        const bool inScope = c.issuesFollow && (c.programId == 0 || c.programId == program);
        for (int i = 0; i < before.size(); ++i) {
            const int now = after.indexOf(before[i]);
            out << QStringLiteral("%1:%2").arg(before[i]).arg(inScope && now >= 0 ? now + 1 : i + 1);
        }
        return out;
    }

    void expectIssues(const ListCase &c, const QStringList &after)
    {
        for (int program : {7, 8})
            EXPECT_EQ(issueSorts(program), expectedIssues(c, program, abcd, after))
                << "issues of program " << program;
    }
};
TARVO_REAL_STORE_SUITE(SortedListTest);

TEST_P(SortedListTest, InsertGoesRightAfterTheSelectedEntryAndMovesTheRestDown)
{
    struct Insert {
        qint64 after;
        qint64 sort;
        QStringList order;
    };
    const std::vector<Insert> inserts = {
        {2, 3, {"A", "B", "N", "C", "D"}},  {4, 5, {"A", "B", "C", "D", "N"}},
        {0, 1, {"N", "A", "B", "C", "D"}},  {-1, 1, {"N", "A", "B", "C", "D"}},
        {99, 5, {"A", "B", "C", "D", "N"}},
    };
    for (const ListCase &c : listCases) {
        for (const Insert &insert : inserts) {
            SCOPED_TRACE(std::string(c.name) + " after " + std::to_string(insert.after));
            SortedList list = seed(c);
            auto record = list.newEntry();
            ASSERT_TRUE(record);
            record.value().setValue(list.textField(), QStringLiteral("N"));
            auto sort = list.insert(*record, insert.after);
            ASSERT_TRUE(sort) << sort.error().message.toStdString();
            EXPECT_EQ(*sort, insert.sort);
            EXPECT_EQ(order(list), insert.order);
            expectIssues(c, insert.order);
        }
        // Into an empty list: sort 1, whatever was selected elsewhere.
        SortedList empty = seed(c, {});
        auto record = empty.newEntry();
        record.value().setValue(empty.textField(), QStringLiteral("N"));
        EXPECT_EQ(*empty.insert(*record, 3), 1);
    }
}

TEST_P(SortedListTest, DeleteClosesTheGap)
{
    for (const ListCase &c : listCases) {
        SCOPED_TRACE(c.name);
        SortedList list = seed(c);
        ASSERT_TRUE(list.remove(entry(list, "B")));
        EXPECT_EQ(order(list), QStringList({"A", "C", "D"}));
        expectIssues(c, {"A", "C", "D"});
        ASSERT_TRUE(list.remove(entry(list, "D")));
        EXPECT_EQ(order(list), QStringList({"A", "C"}));
    }
}

TEST_P(SortedListTest, MoveSwapsWithTheNeighbourAndStopsAtTheEnds)
{
    for (const ListCase &c : listCases) {
        SCOPED_TRACE(c.name);
        SortedList list = seed(c);
        // An issue whose number does not match its status is left alone.
        add("Bugs", {{"PrgID", 7}, {"Status", "C"}, {"StatusSort", 9}});
        auto moved = list.move(entry(list, "C"), -1);
        ASSERT_TRUE(moved) << moved.error().message.toStdString();
        EXPECT_TRUE(*moved);
        EXPECT_EQ(order(list), QStringList({"A", "C", "B", "D"}));
        QStringList program7 = expectedIssues(c, 7, abcd, {"A", "C", "B", "D"});
        program7 << "C:9";
        EXPECT_EQ(issueSorts(7), program7);
        EXPECT_EQ(issueSorts(8), expectedIssues(c, 8, abcd, {"A", "C", "B", "D"}));

        ASSERT_TRUE(list.move(entry(list, "C"), +1));
        EXPECT_EQ(order(list), abcd);
        EXPECT_FALSE(*list.move(entry(list, "A"), -1));
        EXPECT_FALSE(*list.move(entry(list, "D"), +1));
        EXPECT_EQ(order(list), abcd);
    }
}

TEST_P(SortedListTest, EntriesWithTheSameTextTradePlacesWithTheirOwnIssues)
{
    const ListCase c = listCases[0];
    SortedList list = seed(c, {"A", "A", "B"});
    const std::vector<data::Record> first = list.entries().value();
    ASSERT_TRUE(*list.move(first[0], +1));
    EXPECT_EQ(order(list), QStringList({"A", "A", "B"}));
    EXPECT_EQ(list.entries().value()[1].rowId(), first[0].rowId());
    // The issues of each status moved with it: still one issue per number and program.
    EXPECT_EQ(issueSorts(7), QStringList({"A:2", "A:1", "B:3"}));
}

TEST_P(SortedListTest, GrayOutReachesOnlyTheIssuesOfTheListsScope)
{
    struct GrayCase {
        ListCase list;
        std::vector<int> grayedPrograms;
    };
    const std::vector<GrayCase> cases = {
        {listCases[0], {7, 8}},
        {listCases[1], {7}},
        {listCases[2], {}},
        {listCases[3], {}},
    };
    for (const GrayCase &g : cases) {
        SCOPED_TRACE(g.list.name);
        SortedList list = seed(g.list);
        data::Record b = entry(list, "B");
        b.setValue("COLOR", 255);
        ASSERT_TRUE(list.change(b));
        for (const data::Record &bug : records("Bugs"))
            EXPECT_EQ(bug.integer("Gray"), 0) << "a colour alone changes no issue";

        b.setValue("GRAY", 1);
        ASSERT_TRUE(list.change(b));
        EXPECT_EQ(entry(list, "B").integer("GRAY"), 1);
        for (const data::Record &bug : records("Bugs")) {
            const bool grayed =
                Text::clip(bug.text("Status")) == "B" &&
                std::count(g.grayedPrograms.begin(), g.grayedPrograms.end(), bug.integer("PrgID"));
            EXPECT_EQ(bug.integer("Gray"), grayed ? 1 : 0)
                << bug.text("Status").toStdString() << " of program " << bug.integer("PrgID");
        }
    }
}

TEST_P(SortedListTest, RefusedIssueWriteRollsTheWholeMoveBack)
{
    SortedList list = seed(listCases[0]);
    const QString bugs = data::RecordLayout::quote(fm("Bugs").layout().table());
    if (GetParam() == data::StoreKind::Sqlite) {
        exec(QStringLiteral(
                 "CREATE TRIGGER refuse BEFORE UPDATE ON %1 BEGIN SELECT RAISE(ABORT, 'refused'); END")
                 .arg(bugs));
    } else {
        exec(QStringLiteral("CREATE FUNCTION refuse() RETURNS trigger AS $$ BEGIN RAISE EXCEPTION 'refused'; "
                            "END $$ LANGUAGE plpgsql"));
        exec(
            QStringLiteral("CREATE TRIGGER refuse BEFORE UPDATE ON %1 FOR EACH ROW EXECUTE FUNCTION refuse()")
                .arg(bugs));
    }
    EXPECT_FALSE(list.move(entry(list, "C"), -1));
    auto record = list.newEntry();
    record.value().setValue(list.textField(), QStringLiteral("N"));
    EXPECT_FALSE(list.insert(*record, 1));
    EXPECT_FALSE(list.remove(entry(list, "A")));
    EXPECT_EQ(order(list), abcd);
    EXPECT_EQ(issueSorts(7), expectedIssues(listCases[0], 7, abcd, abcd));
}

} // namespace tarvo::test

namespace tarvo::test {

TEST_P(SortedListTest, AFullStatusListRefusesAnotherEntryAndStaysAsItWas)
{
    QStringList full;
    for (int i = 1; i <= 255; ++i)
        full << QStringLiteral("S%1").arg(i);
    SortedList list = seed({"ProgramStatuses", Kind::Status, masterdata::ProgramStatusList, false}, full);
    auto record = list.newEntry();
    record.value().setValue(list.textField(), QStringLiteral("N"));
    auto refused = list.insert(*record, 3);
    ASSERT_FALSE(refused);
    EXPECT_EQ(refused.error().code, SortedList::ErrorListFull);
    EXPECT_EQ(order(list), full);
}

} // namespace tarvo::test
