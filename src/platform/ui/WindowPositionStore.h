#pragma once

#include <QRect>
#include <QString>

#include <optional>

namespace tarvo::ui {

// Where a window stood when it closed: its normal place and size, and whether it was maximised.
struct WindowPosition final {
    QRect geometry;
    bool maximized = false;

    friend bool operator==(const WindowPosition &, const WindowPosition &) = default;
};

// Keeps window positions by section (a procedure's name); the program keeps them in an INI file.
class WindowPositionStore {
  public:
    virtual ~WindowPositionStore() = default;
    // The position saved under the section, none when nothing was saved there.
    virtual std::optional<WindowPosition> load(const QString &section) const = 0;
    // A position that cannot be written is not worth a message: the window merely opens at its
    // default place next time.
    virtual void save(const QString &section, const WindowPosition &position) = 0;
};

} // namespace tarvo::ui
