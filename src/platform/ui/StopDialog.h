#pragma once

#include <QString>

class QWidget;

namespace tarvo::ui {

// The runtime's stop dialog: an error the program cannot handle where it happens, from which the
// user ends the program or carries on.
class StopDialog final {
  public:
    enum class Choice { Abort, Ignore };

    // Shows the text ("|" breaks the line) with the error icon and waits for the choice. Enter,
    // Escape and closing the window carry on: ending the program must be a deliberate click, as
    // it closes every other window with it.
    static Choice ask(const QString &text, QWidget *parent = nullptr);
};

} // namespace tarvo::ui
