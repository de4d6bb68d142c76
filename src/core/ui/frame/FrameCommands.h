#pragma once

#include <QString>

class QWidget;

namespace tarvo {
class Context;
class ContextRegistry;
class RunOnce;
} // namespace tarvo

namespace tarvo::core::ui {

// What the frame's menu items and toolbar buttons start: the lists and windows of the other
// subsystems through their services, the core's own windows through FrameProcedures, and a plain
// window that says what will open there when neither is present.
class FrameCommands final {
  public:
    // The product's web page.
    static QString webPage() { return QStringLiteral("https://tarvo.example.org"); }

    explicit FrameCommands(Context &frameContext);

    // Runs the command of a menu control; false when the control is not one of these commands.
    bool run(const QString &control);
    // Starts the issue browse; returns its context number (0 when it did not start).
    int startBrowseBugs();

  private:
    void startOwn(const QString &procedure, bool onFrame, bool runOnce, const QString &title,
                  const QString &text);
    int startPlaceholder(const QString &procedure, const QString &title, const QString &text, bool runOnce);
    RunOnce *slot(const QString &procedure);
    void openManual(const QString &fileName);
    void editCommand(const char *method);

    Context &m_frame;
};

} // namespace tarvo::core::ui
