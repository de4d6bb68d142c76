#pragma once

#include <QObject>

class QWidget;

namespace tarvo::listext::ui {

// Holds a list's popup back until the right button is released, as on the desktop the lists were
// made for: a drag with the right button (copy or move) can start before any popup shows. A popup
// asked for from the keyboard, or while the button is up, shows at once.
class PopupOnRelease final : public QObject {
  public:
    explicit PopupOnRelease(QWidget *viewport);

  protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

  private:
    bool m_pressed = false;
    bool m_sending = false;
};

} // namespace tarvo::listext::ui
