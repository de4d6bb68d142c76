#pragma once

#include <QObject>

#include <functional>

class QAbstractButton;
class QWidget;

namespace tarvo::ui {

// A window's help key (F1) and its Help button, both running one opener. The key is the
// window's own while the focus is inside it, also when the window sits in a frame whose menu
// has the same key for the help's contents.
class HelpKey final : public QObject {
    Q_OBJECT
  public:
    // Owned by `window`; the button may be null (a window with the key alone).
    static HelpKey *bind(QWidget *window, QAbstractButton *button, std::function<void()> open);

  protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

  private:
    HelpKey(QWidget *window, std::function<void()> open);
    std::function<void()> m_open;
};

} // namespace tarvo::ui
