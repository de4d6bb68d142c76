#pragma once

#include <QString>

#include <functional>

class QWidget;

namespace tarvo::masterdata::ui {

// "Available fields": the picker that offers the issue fields (mode 1) and the special values
// (mode 99) for the caller to insert; the chosen name, caret-wrapped when wrap is 1, or empty text
// when the user leaves with Close.
class SelectFields final {
  public:
    static QString pick(int wrap, int mode, QWidget *parent);
    // The names a mode offers, in the order the list shows them.
    static QStringList names(int mode);

    // Tests answer the picker; an empty one restores the window.
    using Picker = std::function<QString(int wrap, int mode)>;
    static void setPicker(Picker picker);
};

} // namespace tarvo::masterdata::ui
