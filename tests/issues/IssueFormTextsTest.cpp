#include "issues/IssueFormTexts.h"

#include "IssueStoreTest.h"
#include "issues/IssueTabMarks.h"
#include "platform/runtime/DayDate.h"
#include "platform/runtime/Picture.h"

namespace tarvo::test {

using issues::IssueFormTexts;
using issues::IssueRequest;

TEST(IssueFormTextsTest, CaptionNamesProgramRequestAndCategory)
{
    EXPECT_EQ(IssueFormTexts::caption(QStringLiteral("Tarvo  "), IssueRequest::Insert, 1),
              QStringLiteral("Tarvo - Add Bug..."));
    EXPECT_EQ(IssueFormTexts::caption(QStringLiteral("Tarvo"), IssueRequest::Change, 4),
              QStringLiteral("Tarvo - Change To-Do..."));
    EXPECT_EQ(IssueFormTexts::caption(QStringLiteral("Tarvo"), IssueRequest::View, 3),
              QStringLiteral("Tarvo - View Support..."));
}

TEST(IssueFormTextsTest, StampLineWritesDateAndTimeByTheirPictures)
{
    const qint64 day = DayDate::fromDate(QDate(2024, 3, 5));
    const qint64 time = DayDate::fromTime(QTime(14, 30, 15));
    const QString line =
        IssueFormTexts::stampLine(QStringLiteral("Created by"), QStringLiteral("JDO"), day, time);
    EXPECT_EQ(line, QStringLiteral("Created by JDO at ") + Picture::format(day, QStringLiteral("@D017B")) +
                        QStringLiteral(" - ") + Picture::format(time, QStringLiteral("@T08B")));
    EXPECT_TRUE(IssueFormTexts::stampLine(QStringLiteral("Changed by"), QString(), 0, 0)
                    .startsWith(QStringLiteral("Changed by  at ")));
}

namespace {

class IssueTabMarksTest : public IssueStoreTest {};

TEST_P(IssueTabMarksTest, TabsHoldingSomethingAreMarked)
{
    const data::Record issue =
        add(QStringLiteral("Bugs"), {{QStringLiteral("Network"), 1},
                                     {QStringLiteral("ReleaseNotes"), QStringLiteral("n")},
                                     {QStringLiteral("CustomField7"), QStringLiteral("c")}});
    const qint32 id = qint32(issue.integer(QStringLiteral("ID")));
    auto marks = issues::IssueTabMarks::read(session(), issue);
    ASSERT_TRUE(marks.ok());
    EXPECT_TRUE(marks->hardware);
    EXPECT_TRUE(marks->stepsToFix);
    EXPECT_TRUE(marks->customFields);
    EXPECT_FALSE(marks->stepsToRecreate || marks->workaround || marks->verification || marks->attachments);
    EXPECT_FALSE(marks->miscellaneous());

    add(QStringLiteral("History"), {{QStringLiteral("ID"), id}});
    add(QStringLiteral("EMails"),
        {{QStringLiteral("ID"), id}, {QStringLiteral("Type"), 99}}); // not the issue's
    marks = issues::IssueTabMarks::read(session(), issue);
    ASSERT_TRUE(marks.ok());
    EXPECT_TRUE(marks->history);
    EXPECT_FALSE(marks->notes);
    EXPECT_FALSE(marks->sentEMails);
    EXPECT_TRUE(marks->miscellaneous());
}

} // namespace

// An issue shows the created and changed lines of the stamps it keeps, and no line without one.
class IssueStampLinesTest : public IssueStoreTest {};

TEST_P(IssueStampLinesTest, ALineShowsOnlyWithItsStamp)
{
    const qint64 day = DayDate::fromDate(QDate(2024, 3, 5));
    data::Record issue = add(QStringLiteral("Bugs"), {{QStringLiteral("CreatedBy"), QStringLiteral("JDO")},
                                                      {QStringLiteral("CreateDate"), day}});
    EXPECT_TRUE(IssueFormTexts::createdLine(issue).startsWith(QStringLiteral("Created by JDO at ")));
    EXPECT_TRUE(IssueFormTexts::changedLine(issue).isEmpty()) << "never changed";
    issue.setValue(QStringLiteral("ChangedBy"), QStringLiteral("ABC"));
    issue.setValue(QStringLiteral("ChangedDate"), day);
    EXPECT_TRUE(IssueFormTexts::changedLine(issue).startsWith(QStringLiteral("Changed by ABC at ")));
    issue.setValue(QStringLiteral("CreateDate"), 0);
    EXPECT_TRUE(IssueFormTexts::createdLine(issue).isEmpty());
}

TARVO_REAL_STORE_SUITE(IssueTabMarksTest);
TARVO_REAL_STORE_SUITE(IssueStampLinesTest);

} // namespace tarvo::test
