#include "core/ui/PickDate.h"

#include "core/ui/CalendarDialog.h"
#include "platform/runtime/Clock.h"
#include "platform/runtime/DayDate.h"
#include "support/ScriptedMessages.h"

#include <QApplication>
#include <QCalendarWidget>
#include <QKeyEvent>
#include <QLineEdit>
#include <QSpinBox>
#include <QTimer>

#include <gtest/gtest.h>

using namespace tarvo;
using namespace tarvo::core::ui;

namespace {

qint32 day(int y, int m, int d)
{
    return static_cast<qint32>(DayDate::fromDate(QDate(y, m, d)));
}

// Fixes today at 15 March 2006 for every test.
class Calendar : public testing::Test {
  protected:
    Calendar()
    {
        Clock::setSource([] { return QDateTime(QDate(2006, 3, 15), QTime(10, 0)); });
    }
    ~Calendar() override { Clock::setSource({}); }

    static void press(CalendarDialog &calendar, int key)
    {
        QKeyEvent event(QEvent::KeyPress, key, Qt::NoModifier);
        QApplication::sendEvent(calendar.findChild<QCalendarWidget *>(), &event);
    }

    test::ScriptedMessages m_messages;
};

TEST_F(Calendar, DateZeroOpensTodayAndEscReturnsWhatWasPassedIn)
{
    CalendarDialog calendar(0);
    EXPECT_EQ(calendar.shownYear(), 2006);
    EXPECT_EQ(calendar.shownMonth(), 3);
    EXPECT_EQ(calendar.selectedDay(), 15);
    EXPECT_EQ(calendar.windowTitle(), "March 2006");
    press(calendar, Qt::Key_Escape);
    EXPECT_EQ(calendar.result(), QDialog::Rejected);
    EXPECT_EQ(calendar.pickedDate(), 0);

    CalendarDialog withDate(day(2004, 12, 3));
    press(withDate, Qt::Key_Right); // browsing alone does not change the result
    press(withDate, Qt::Key_Escape);
    EXPECT_EQ(withDate.pickedDate(), day(2004, 12, 3));
}

TEST_F(Calendar, KeysBrowseMonthsAndYearsWithWrap)
{
    CalendarDialog calendar(day(2004, 12, 31));
    struct Step {
        int key;
        int month;
        int year;
    };
    const Step steps[] = {{Qt::Key_Right, 1, 2005}, {Qt::Key_Left, 12, 2004},     {Qt::Key_Down, 1, 2005},
                          {Qt::Key_Up, 12, 2004},   {Qt::Key_PageDown, 12, 2005}, {Qt::Key_PageUp, 12, 2004}};
    for (const Step &step : steps) {
        press(calendar, step.key);
        EXPECT_EQ(calendar.shownMonth(), step.month) << step.key;
        EXPECT_EQ(calendar.shownYear(), step.year) << step.key;
    }
    EXPECT_EQ(calendar.findChild<QSpinBox *>("MONTHNUMBER")->value(), 12);
    EXPECT_EQ(calendar.findChild<QSpinBox *>("YEARNUMBER")->value(), 2004);
    EXPECT_TRUE(m_messages.requests().empty());
    EXPECT_FALSE(calendar.grab().isNull()); // paints the month grid
}

TEST_F(Calendar, MonthSpinWrapsAndYearSpinIsTakenAsItIs)
{
    CalendarDialog calendar(day(2004, 6, 1));
    auto *month = calendar.findChild<QSpinBox *>("MONTHNUMBER");
    auto *year = calendar.findChild<QSpinBox *>("YEARNUMBER");
    month->setValue(13);
    EXPECT_EQ(calendar.shownMonth(), 1);
    EXPECT_EQ(calendar.shownYear(), 2005);
    month->setValue(0);
    EXPECT_EQ(calendar.shownMonth(), 12);
    EXPECT_EQ(calendar.shownYear(), 2004);
    year->setValue(1999);
    EXPECT_EQ(calendar.shownYear(), 1999);
    EXPECT_EQ(calendar.windowTitle(), "December 1999");
}

TEST_F(Calendar, YearsOutsideTheRangeAreCorrectedWithAMessage)
{
    CalendarDialog calendar(day(1801, 1, 10));
    press(calendar, Qt::Key_PageUp);
    EXPECT_EQ(calendar.shownYear(), 1801);
    EXPECT_EQ(calendar.shownMonth(), 1);
    press(calendar, Qt::Key_Left);
    EXPECT_EQ(calendar.shownYear(), 1801);
    EXPECT_EQ(calendar.shownMonth(), 12) << "the month wraps, the year is corrected";
    calendar.findChild<QSpinBox *>("YEARNUMBER")->setValue(2100);
    EXPECT_EQ(calendar.shownYear(), 2099);

    const auto requests = m_messages.requests();
    ASSERT_EQ(requests.size(), 3u);
    EXPECT_EQ(requests[0].text, "You cannot use the calendar for dates before the year 1801");
    EXPECT_EQ(requests[0].title, "Date Out Of Range");
    EXPECT_EQ(requests[2].text, "You cannot use the calendar for dates after the year 2099");
}

TEST_F(Calendar, PickingADayClosesWithItsDate)
{
    CalendarDialog calendar(day(2004, 2, 10));
    calendar.pickDay(30); // February 2004 has 29 days: an empty cell
    EXPECT_EQ(calendar.result(), QDialog::Rejected);
    calendar.pickDay(29);
    EXPECT_EQ(calendar.result(), QDialog::Accepted);
    EXPECT_EQ(calendar.pickedDate(), day(2004, 2, 29));

    CalendarDialog clicked(day(2004, 2, 10));
    Q_EMIT clicked.findChild<QCalendarWidget *>()->clicked(QDate(2004, 2, 3));
    EXPECT_EQ(clicked.pickedDate(), day(2004, 2, 3));
}

TEST(CalendarGrid, MonthLengthsAndFirstCells)
{
    struct Case {
        int month;
        int year;
        int days;
    };
    for (const Case &c : {Case{2, 2000, 29}, Case{2, 2004, 29}, Case{2, 1900, 28}, Case{2, 2001, 28},
                          Case{4, 2004, 30}, Case{12, 2004, 31}})
        EXPECT_EQ(CalendarDialog::daysInMonth(c.month, c.year), c.days) << c.month << "/" << c.year;
    // January 2005 begins on a Saturday and has 31 days: cells 7 to 37.
    EXPECT_EQ(CalendarDialog::firstCell(1, 2005), 7);
    EXPECT_EQ(CalendarDialog::firstCell(1, 2005) + CalendarDialog::daysInMonth(1, 2005) - 1, 37);
    EXPECT_EQ(CalendarDialog::firstCell(8, 2004), 1); // a Sunday
}

TEST_F(Calendar, WindowModalPickerHandsTheResultToItsContinuation)
{
    QWidget window;
    auto *field = new QLineEdit(&window);
    window.show();
    std::optional<qint32> result;
    PickDate(day(2005, 5, 5), &window, field, [&result](qint32 date) { result = date; });
    auto *calendar = window.findChild<CalendarDialog *>();
    ASSERT_NE(calendar, nullptr);
    EXPECT_EQ(calendar->windowModality(), Qt::WindowModal);
    EXPECT_FALSE(result.has_value());
    calendar->pickDay(20);
    ASSERT_TRUE(result.has_value());
    EXPECT_EQ(*result, day(2005, 5, 20));
}

TEST_F(Calendar, SynchronousPickerReturnsThePassedDateOnEsc)
{
    QWidget window;
    auto *field = new QLineEdit(&window);
    QTimer::singleShot(0, [] {
        auto *calendar = qobject_cast<CalendarDialog *>(QApplication::activeModalWidget());
        if (!calendar)
            for (QWidget *top : QApplication::topLevelWidgets())
                if ((calendar = qobject_cast<CalendarDialog *>(top)) && calendar->isVisible())
                    break;
        ASSERT_NE(calendar, nullptr);
        QKeyEvent event(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
        QApplication::sendEvent(calendar, &event);
    });
    EXPECT_EQ(PickDate(day(2005, 5, 5), &window, field), day(2005, 5, 5));
}

} // namespace
