#pragma once

#include <QtGlobal>

#include <functional>

class QWidget;

namespace tarvo::core::ui {

// Opens the calendar below the date field control of window, window-modal, and hands the
// result to done: the picked day number, or date (which may be 0) when the user closed the
// calendar without picking. date 0 opens on today.
void PickDate(qint32 date, QWidget *window, QWidget *control, std::function<void(qint32)> done);

// The same, waiting for the user's choice.
qint32 PickDate(qint32 date, QWidget *window, QWidget *control);

} // namespace tarvo::core::ui
