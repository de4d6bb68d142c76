#include "core/ui/CalendarDialog.h"

#include "platform/runtime/DayDate.h"
#include "platform/runtime/Messages.h"
#include "platform/runtime/Translator.h"

#include <QCalendarWidget>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPainter>
#include <QSignalBlocker>
#include <QSpinBox>
#include <QVBoxLayout>

namespace tarvo::core::ui {

namespace {

const QColor kSundayColor(0xFF, 0x00, 0x00);
const QColor kSaturdayColor(0xFF, 0x80, 0x80);
const QColor kTodayColor(0x00, 0x00, 0xFF);

// The month grid: only the shown month's days, coloured by weekday, today in blue.
class MonthGrid final : public QCalendarWidget {
  public:
    using QCalendarWidget::QCalendarWidget;

    int highlightedDay = 0;
    QDate today;

  protected:
    void paintCell(QPainter *painter, const QRect &rect, QDate date) const override
    {
        if (date < minimumDate() || date > maximumDate())
            return; // cells outside the shown month stay empty
        painter->save();
        if (date.day() == highlightedDay)
            painter->fillRect(rect.adjusted(1, 1, -1, -1), palette().color(QPalette::Highlight));
        QColor colour = palette().color(QPalette::WindowText);
        if (date == today)
            colour = kTodayColor;
        else if (date.dayOfWeek() == Qt::Sunday)
            colour = kSundayColor;
        else if (date.dayOfWeek() == Qt::Saturday)
            colour = kSaturdayColor;
        painter->setPen(colour);
        painter->drawText(rect, Qt::AlignCenter, QString::number(date.day()));
        painter->restore();
    }
};

QString translatedText(const char *text)
{
    return Translator::instance().translate(QString::fromLatin1(text));
}

} // namespace

CalendarDialog::CalendarDialog(qint32 date, QWidget *parent)
    : QDialog(parent, Qt::Tool | Qt::FramelessWindowHint), m_passedIn(date), m_picked(date)
{
    const QDate start = date > 0 && DayDate::toDate(date).isValid() ? DayDate::toDate(date)
                                                                    : DayDate::toDate(DayDate::today());
    m_day = start.day();
    m_month = start.month();
    m_year = start.year();
    buildLayout();
    enforceYearRange();
    showMonth();
}

void CalendarDialog::buildLayout()
{
    setFont(QFont(QStringLiteral("Tahoma")));
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(2, 2, 2, 2);
    layout->setSpacing(2);

    m_caption = new QLabel(this);
    m_caption->setAlignment(Qt::AlignCenter);
    layout->addWidget(m_caption);

    auto *spins = new QHBoxLayout;
    m_monthSpin = new QSpinBox(this);
    m_monthSpin->setObjectName(QStringLiteral("MONTHNUMBER"));
    m_monthSpin->setRange(0, 13); // one beyond each end, so that the month can wrap
    m_monthSpin->setKeyboardTracking(false);
    m_yearSpin = new QSpinBox(this);
    m_yearSpin->setObjectName(QStringLiteral("YEARNUMBER"));
    m_yearSpin->setRange(0, 9999);
    m_yearSpin->setKeyboardTracking(false);
    spins->addWidget(new QLabel(translatedText("Month:"), this));
    spins->addWidget(m_monthSpin);
    spins->addWidget(new QLabel(translatedText("Year:"), this));
    spins->addWidget(m_yearSpin);
    layout->addLayout(spins);

    auto *headings = new QHBoxLayout;
    headings->setSpacing(0);
    const char *names[] = {"Su", "Mo", "Tu", "We", "Th", "Fr", "Sa"};
    for (int i = 0; i < 7; ++i) {
        auto *heading = new QLabel(translatedText(names[i]), this);
        heading->setAlignment(Qt::AlignCenter);
        headings->addWidget(heading, 1);
    }
    layout->addLayout(headings);

    auto *grid = new MonthGrid(this);
    grid->setFirstDayOfWeek(Qt::Sunday);
    grid->setNavigationBarVisible(false);
    grid->setHorizontalHeaderFormat(QCalendarWidget::NoHorizontalHeader);
    grid->setVerticalHeaderFormat(QCalendarWidget::NoVerticalHeader);
    grid->setSelectionMode(QCalendarWidget::NoSelection);
    m_calendar = grid;
    layout->addWidget(m_calendar);

    connect(m_calendar, &QCalendarWidget::clicked, this, [this](QDate date) {
        if (date.month() == m_month && date.year() == m_year)
            pickDay(date.day());
    });
    connect(m_monthSpin, &QSpinBox::valueChanged, this, &CalendarDialog::monthSpinChanged);
    connect(m_yearSpin, &QSpinBox::valueChanged, this, &CalendarDialog::yearSpinChanged);

    // The navigation keys work wherever the focus is, as on the original calendar.
    installEventFilter(this);
    for (QWidget *child : findChildren<QWidget *>())
        child->installEventFilter(this);
}

int CalendarDialog::daysInMonth(int month, int year)
{
    return QDate(year, month, 1).daysInMonth();
}

int CalendarDialog::firstCell(int month, int year)
{
    return QDate(year, month, 1).dayOfWeek() % 7 + 1;
}

void CalendarDialog::pickDay(int day)
{
    if (day < 1 || day > daysInMonth(m_month, m_year))
        return;
    m_day = day;
    m_picked = static_cast<qint32>(DayDate::fromDate(QDate(m_year, m_month, day)));
    accept();
}

void CalendarDialog::placeBelow(const QWidget *control)
{
    if (!control)
        return;
    adjustSize();
    move(control->mapToGlobal(QPoint(0, control->height())));
}

bool CalendarDialog::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() != QEvent::KeyPress)
        return QDialog::eventFilter(watched, event);
    switch (static_cast<QKeyEvent *>(event)->key()) {
    case Qt::Key_Escape:
        m_picked = m_passedIn;
        reject();
        return true;
    case Qt::Key_PageUp:
        stepYear(-1);
        return true;
    case Qt::Key_PageDown:
        stepYear(1);
        return true;
    case Qt::Key_Left:
    case Qt::Key_Up:
        stepMonth(-1);
        return true;
    case Qt::Key_Right:
    case Qt::Key_Down:
        stepMonth(1);
        return true;
    default:
        return QDialog::eventFilter(watched, event);
    }
}

void CalendarDialog::stepMonth(int delta)
{
    monthSpinChanged(m_month + delta);
}

void CalendarDialog::stepYear(int delta)
{
    yearSpinChanged(m_year + delta);
}

void CalendarDialog::monthSpinChanged(int value)
{
    m_month = value;
    if (m_month > 12) {
        m_month = 1;
        ++m_year;
    } else if (m_month < 1) {
        m_month = 12;
        --m_year;
    }
    enforceYearRange();
    showMonth();
}

void CalendarDialog::yearSpinChanged(int value)
{
    m_year = value;
    enforceYearRange();
    showMonth();
}

void CalendarDialog::enforceYearRange()
{
    const QString title = translatedText("Date Out Of Range");
    if (m_year < FirstYear) {
        m_year = FirstYear;
        Messages::show(translatedText("You cannot use the calendar for dates before the year 1801"), title,
                       MessageIcon::Application);
    } else if (m_year > LastYear) {
        m_year = LastYear;
        Messages::show(translatedText("You cannot use the calendar for dates after the year 2099"), title,
                       MessageIcon::Application);
    }
}

void CalendarDialog::showMonth()
{
    const QString title = DayDate::monthNames(DayDate::Language::English).value(m_month - 1) +
                          QLatin1Char(' ') + QString::number(m_year);
    setWindowTitle(title);
    m_caption->setText(title);
    {
        const QSignalBlocker monthBlock(m_monthSpin);
        const QSignalBlocker yearBlock(m_yearSpin);
        m_monthSpin->setValue(m_month);
        m_yearSpin->setValue(m_year);
    }
    auto *grid = static_cast<MonthGrid *>(m_calendar);
    grid->today = DayDate::toDate(DayDate::today());
    grid->highlightedDay = m_day <= daysInMonth(m_month, m_year) ? m_day : 0;
    const QDate first(m_year, m_month, 1);
    // Only the shown month's days can be clicked; the calendar cannot wander off on its own.
    m_calendar->setDateRange(first, first.addDays(first.daysInMonth() - 1));
    m_calendar->setCurrentPage(m_year, m_month);
    m_calendar->update();
}

} // namespace tarvo::core::ui
