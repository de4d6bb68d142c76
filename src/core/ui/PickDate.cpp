#include "core/ui/PickDate.h"

#include "core/ui/CalendarDialog.h"

namespace tarvo::core::ui {

void PickDate(qint32 date, QWidget *window, QWidget *control, std::function<void(qint32)> done)
{
    auto *calendar = new CalendarDialog(date, window);
    calendar->setAttribute(Qt::WA_DeleteOnClose);
    calendar->setWindowModality(Qt::WindowModal);
    calendar->placeBelow(control);
    QObject::connect(calendar, &QDialog::finished, calendar, [calendar, done = std::move(done)](int) {
        if (done)
            done(calendar->pickedDate());
    });
    calendar->open();
}

qint32 PickDate(qint32 date, QWidget *window, QWidget *control)
{
    CalendarDialog calendar(date, window);
    calendar.placeBelow(control);
    calendar.exec();
    return calendar.pickedDate();
}

} // namespace tarvo::core::ui
