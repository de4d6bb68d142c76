#pragma once

#include <QtGlobal>

#include <functional>

namespace tarvo::data {
class Session;
}
namespace tarvo::ui {
class WindowManager;
}

namespace tarvo::core {

// The note and attachment lists of a window that shows one program's notes and attachments: the
// procedure numbers their buttons run, their current rows, and the program new ones belong to.
struct ProgramSubForms final {
    int notes = 0;
    int attachments = 0;
    std::function<qint64()> noteRow;
    std::function<qint64()> attachmentRow;
    std::function<qint64()> programId;
};

// What the application core calls of the issue tracking.
class IssueServices {
  public:
    virtual ~IssueServices() = default;
    // BrowseBugs: starts the issue browse on a context of its own; returns that context's number,
    // 0 when it could not be started.
    virtual int browseBugs() = 0;
    // Lets the window's note and attachment lists run the note and attachment forms; without the
    // issue tracking their buttons run nothing.
    virtual void registerProgramSubForms(tarvo::ui::WindowManager &window, data::Session &session,
                                         ProgramSubForms forms)
    {
        (void)window;
        (void)session;
        (void)forms;
    }
};

} // namespace tarvo::core
