#include "TarvoStoreTest.h"
#include "platform/data/ErrorCode.h"
#include "platform/data/View.h"

namespace tarvo::test {

using namespace tarvo::data;

class IssueRecordsTest : public TarvoStoreTest {};
TARVO_REAL_STORE_SUITE(IssueRecordsTest);

TEST_P(IssueRecordsTest, TheIssueTextKeepsItsFullWidthAndIsCutBeyondIt)
{
    // Non-ASCII letters, so that a width counted in bytes would show.
    const QString full = QString(16383, QChar(0x00E4)) + QLatin1Char('z');
    const struct {
        QString text;
        QString stored;
    } cases[] = {{full, full}, {full + QStringLiteral("overflow"), full}};
    for (const auto &c : cases) {
        const qint64 id = add("Bugs", {{"BugText", c.text}}).integer("ID");
        EXPECT_EQ(one("Bugs", {{"ID", id}}).text("BugText"), c.stored) << id;
    }
}

TEST_P(IssueRecordsTest, IssuesOfOneProgramVersionAndCategoryListNewestFirst)
{
    const FieldList same = {{"PrgID", 4}, {"Version", "2.1"}, {"Category", 1}};
    const qint64 older = add("Bugs", same).integer("ID");
    add("Bugs", {{"PrgID", 4}, {"Version", "2.1"}, {"Category", 2}});
    const qint64 newer = add("Bugs", same).integer("ID");
    View view(fm("Bugs"), "BUG:KeyPrgIDVersionCategoryID");
    ASSERT_TRUE(view.isValid());
    view.setRange({4, "2.1", 1});
    auto rows = view.rowsAfter(nullptr, 10);
    ASSERT_TRUE(rows.ok());
    ASSERT_EQ(rows->size(), 2u);
    EXPECT_EQ((*rows)[0].integer("ID"), newer);
    EXPECT_EQ((*rows)[1].integer("ID"), older);
}

TEST_P(IssueRecordsTest, AResponsibleIsListedOncePerIssue)
{
    add("BugsResponsible", {{"ID", 1}, {"RESPONSIBLE", "ABC"}});
    add("BugsResponsible", {{"ID", 2}, {"RESPONSIBLE", "ABC"}});
    Record again = fm("BugsResponsible").newRecord();
    again.setValue("ID", 1);
    again.setValue("RESPONSIBLE", "ABC");
    auto r = fm("BugsResponsible").insert(again);
    ASSERT_FALSE(r.ok());
    EXPECT_EQ(r.error().code, ErrorCode::DuplicateKey);
    ASSERT_EQ(m_errors.errors.size(), 1u);
    EXPECT_EQ(m_errors.errors[0].messageNumber, 15);
    EXPECT_EQ(m_errors.errors[0].key, "BUR:KeyIDResponsible");
    EXPECT_EQ(count("BugsResponsible"), 2);
}

TEST_P(IssueRecordsTest, AProgramNoteIsFoundUnderItsProgram)
{
    add("Notes", {{"ID", 0}, {"PrgID", 3}, {"CreatedDate", 80000}, {"Note", "older"}});
    add("Notes", {{"ID", 0}, {"PrgID", 3}, {"CreatedDate", 80001}, {"Note", "newer"}});
    add("Notes", {{"ID", 9}, {"PrgID", 0}, {"CreatedDate", 80002}, {"Note", "issue note"}});
    View view(fm("Notes"), "NOTE:KeyPrgIDCreatedDateCreatedTime");
    ASSERT_TRUE(view.isValid());
    view.setRange({3});
    auto rows = view.rowsAfter(nullptr, 10);
    ASSERT_TRUE(rows.ok());
    ASSERT_EQ(rows->size(), 2u);
    EXPECT_EQ((*rows)[0].text("Note"), "newer");
    EXPECT_EQ((*rows)[1].text("Note"), "older");
}

} // namespace tarvo::test
