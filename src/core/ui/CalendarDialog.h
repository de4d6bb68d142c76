#pragma once

#include <QDialog>

class QCalendarWidget;
class QLabel;
class QSpinBox;

namespace tarvo::core::ui {

// The small month calendar below a date field, in which the user browses months and years with
// the keyboard or two spin boxes and picks a day with one click.
class CalendarDialog final : public QDialog {
    Q_OBJECT

  public:
    static constexpr int FirstYear = 1801;
    static constexpr int LastYear = 2099;

    // date: a day number, 0 for none (the calendar then opens on today).
    explicit CalendarDialog(qint32 date, QWidget *parent = nullptr);

    // The picked day number, or the date passed in when the user closed without picking.
    qint32 pickedDate() const { return m_picked; }

    int shownMonth() const { return m_month; }
    int shownYear() const { return m_year; }
    int selectedDay() const { return m_day; }

    // What a click on the cell showing day does: closes with that date of the shown month. A day
    // the month does not have is an empty cell and does nothing.
    void pickDay(int day);

    // Places the calendar directly below the control (left edges aligned).
    void placeBelow(const QWidget *control);

    static int daysInMonth(int month, int year);
    // The cell (1 to 7, Sunday first) in which the 1st of the month falls.
    static int firstCell(int month, int year);

  protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

  private:
    void buildLayout();
    void stepMonth(int delta);
    void stepYear(int delta);
    void monthSpinChanged(int value);
    void yearSpinChanged(int value);
    void enforceYearRange();
    void showMonth();

    qint32 m_passedIn = 0;
    qint32 m_picked = 0;
    int m_day = 1;
    int m_month = 1;
    int m_year = FirstYear;
    QCalendarWidget *m_calendar = nullptr;
    QSpinBox *m_monthSpin = nullptr;
    QSpinBox *m_yearSpin = nullptr;
    QLabel *m_caption = nullptr;
};

} // namespace tarvo::core::ui
