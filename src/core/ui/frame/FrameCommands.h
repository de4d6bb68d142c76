#pragma once

#include <QHash>
#include <QString>

namespace tarvo {
class Context;
} // namespace tarvo

namespace tarvo::core::ui {

// What the frame's menu items and toolbar buttons start: the lists and windows of the other
// subsystems through their services, the core's own windows through FrameProcedures, the help
// and the manuals through the desktop. Whatever is not built yet says so in one message.
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
    using Action = void (*)(FrameCommands &commands);
    static const QHash<QString, Action> &commands();

    void startOwn(const QString &procedure, bool onFrame);
    void openDocument(const QString &path);
    void editCommand(const char *method);

    Context &m_frame;
};

} // namespace tarvo::core::ui
