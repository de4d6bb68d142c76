#pragma once

#include <QString>

class QWidget;

namespace tarvo::access {

// The library's window positions, kept in "Vuvuzu.ini" under each window's own name.
class WindowPlace final {
  public:
    static void restore(QWidget *window, const QString &name);
    static void store(const QWidget *window, const QString &name);
};

} // namespace tarvo::access
