#pragma once

#include "core/frame/ToolbarTable.h"
#include "platform/ui/WindowManager.h"

#include <QPointer>

#include <functional>

class QMainWindow;
class QToolBar;

namespace tarvo::core::ui {

// One floating toolbar on a context of its own: a QToolBar of the frame that keeps its place in
// User.ini, tells the frame when it has opened during the start chain, and follows the record
// buttons of the active window on the refresh event.
class FloatingToolbar final : public tarvo::ui::WindowManager {
    Q_OBJECT

  public:
    using CommandRunner = std::function<void(const QString &control)>;

    FloatingToolbar(Context &context, ToolbarKind kind, QMainWindow &frame, QString userIniPath,
                    CommandRunner runCommand);

    bool open() override;
    bool close() override;
    bool takeEvent(int event, const QVariant &data) override;

    QToolBar *toolbar() const;

  private:
    void press(const ToolbarButton &button);
    void applySavedStates();

    ToolbarKind m_kind;
    QPointer<QMainWindow> m_frame;
    QString m_userIniPath;
    CommandRunner m_runCommand;
};

} // namespace tarvo::core::ui
