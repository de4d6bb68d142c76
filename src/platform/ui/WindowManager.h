#pragma once

#include "platform/runtime/Context.h"
#include "platform/ui/WindowPositionStore.h"

#include <QObject>
#include <QPointer>
#include <QString>
#include <QStringList>
#include <QVariant>
#include <QWidget>

#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <utility>
#include <vector>

class QAbstractButton;
class QEvent;

namespace tarvo {
class RunOnce;
}

namespace tarvo::ui {

// The base every window and form builds on: binds a widget to its context, takes the context's
// posted events, runs called procedures under a request and keeps the window's position.
// A form opened with openModal() is window-modal to its caller only and reports its end through a
// continuation, so it never blocks another window.
class WindowManager : public QObject {
    Q_OBJECT

  public:
    // What runs after a form has closed, given the response it left.
    using Continuation = std::function<void(int response)>;
    // Starts a called procedure (a form, through openModal) and calls finished when it has ended.
    using ProcedureStarter = std::function<void(std::function<void()> finished)>;
    // What every window goes through while it opens, before it is shown.
    using OpenHook = std::function<void(WindowManager &manager)>;

    // The property of a button that stays usable when the window is opened to view ("&Print",
    // "&Help").
    static constexpr const char *KeepInViewMode = "keepInViewMode";

    // The context must come from a ContextRegistry; the manager keeps it alive while it exists.
    WindowManager(Context &context, QString procedureName, QObject *parent = nullptr);
    ~WindowManager() override;

    Context &context() const { return *m_context; }
    const QString &procedureName() const { return m_procedureName; }
    // The request the window was opened with (taken from the context's request cell at open).
    int request() const { return m_request; }
    // What the window leaves in the context's response cell when it closes; Cancelled until set.
    int response() const { return m_response; }
    void setResponse(int response) { m_response = response; }
    bool isOpen() const { return m_open; }

    // The widget this manager drives; the manager owns it from then on.
    QWidget *window() const { return m_window; }
    void setWindow(QWidget *window);
    // The widget that is shown, activated, closed and placed: the window itself here; a manager
    // whose window sits inside another frame (an MDI sub-window) returns that frame.
    virtual QWidget *frame() const { return m_window; }

    // A window that may run once; set before open().
    void setRunOnce(RunOnce *slot) { m_runOnce = slot; }
    // Where the position is kept, and under which section (the procedure's name when empty).
    void setPositionStore(WindowPositionStore *store, const QString &section = {});
    // The section alone, in whichever store keeps the position: a window opened for another
    // purpose keeps a place of its own.
    void setPositionSection(const QString &section) { m_positionSection = section; }
    // The store of every manager that was given none (the program's INI file).
    static void setDefaultPositionStore(WindowPositionStore *store);
    // The program registers one hook at start-up (translation and rights), so that no window
    // does either by hand; an empty hook removes it.
    static void setOpenHook(OpenHook hook);

    // Controls the user may not use: they stay disabled whatever the window does later. Names
    // compare without regard to case, as rights keys do.
    void denyControl(const QString &controlName);
    bool isDenied(const QString &controlName) const;
    // A right of the window that belongs to no control of its own (the insert of a tree's rows):
    // asked with the controls when the window opens; refused, it denies the controls given too.
    void addRightsName(const QString &name, const QStringList &controls = {});
    const std::vector<std::pair<QString, QStringList>> &rightsNames() const { return m_rightsNames; }
    // True by default: after closing, the manager and its window are deleted from the event loop.
    void setDeleteOnClose(bool on) { m_deleteOnClose = on; }
    bool deletesOnClose() const { return m_deleteOnClose; }

    // Opens the window; false when it does not open (another instance of a run-once window runs).
    // Overrides build their widgets and then call this.
    virtual bool open();
    // Opens the window window-modal to the caller's window and returns at once; whenClosed runs
    // after it has closed (at once, with Cancelled, when it does not open), also when the caller's
    // window is deleted under it, so a continuation that uses its caller guards it (run() does).
    bool openModal(QWidget *caller, Continuation whenClosed);
    // Closes the window: saves its position, leaves its response in the context, stops taking
    // events. Overrides may refuse by returning false without calling this.
    virtual bool close();

    // Takes an event posted to the context: CloseWindow closes, GainFocus activates, Accepted
    // with a control name goes to takeAccepted unless that control is denied. True when the
    // event was handled.
    virtual bool takeEvent(int event, const QVariant &data);
    // A control was pressed (or its accepted event posted).
    virtual void takeAccepted(const QString &controlName);
    // Runs the called procedure of that number under the request and hands its response to done.
    // A window opened to view runs nothing and answers Cancelled.
    void run(int procedureNumber, int request, Continuation done);
    // The procedure that run() starts under that number; a number without one runs nothing.
    void setProcedure(int number, ProcedureStarter start);
    // Presses of the button reach takeAccepted under its object name, unless it is denied.
    void acceptOn(QAbstractButton *button);
    // The window's Help button (may be null) and its help key open the topic's page of the
    // program's help; a window without a topic of its own opens the help's contents. Set once the
    // window's widget is set.
    void setHelp(QAbstractButton *button, const QString &topic);
    // Opens a topic's page of the program's help (its contents for an empty topic); false, after a
    // message that names the page, when the page is missing or the desktop refused it.
    static bool showHelp(const QString &topic);

  Q_SIGNALS:
    void closed(int response);

  protected:
    // Starts the procedure of that number (typically a form through openModal) and calls finished
    // when it has ended; the response is then read from the context. Runs the registered one.
    virtual void runProcedure(int procedureNumber, std::function<void()> finished);
    // Makes the window the active one, restoring it when it is minimised.
    void activate();
    bool eventFilter(QObject *watched, QEvent *event) override;

  private:
    bool finishClose(bool savePosition);
    void detachFromContext();
    WindowPositionStore *positionStore() const;
    QString positionSection() const;
    void restorePosition(QWidget *frame);
    void storePosition(QWidget *frame);
    static WindowPosition currentPosition(const QWidget *frame);

    std::shared_ptr<Context> m_context;
    QString m_procedureName;
    QPointer<QWidget> m_window;
    QPointer<QWidget> m_caller;
    QPointer<QWidget> m_watchedFrame;
    Continuation m_continuation;
    RunOnce *m_runOnce = nullptr;
    WindowPositionStore *m_positionStore = nullptr;
    QString m_positionSection;
    std::optional<WindowPosition> m_lastShownPosition;
    QStringList m_denied;
    std::vector<std::pair<QString, QStringList>> m_rightsNames;
    std::map<int, ProcedureStarter> m_procedures;
    Context::ReceiverId m_receiver = 0;
    int m_request = Request::None;
    int m_response = Response::Cancelled;
    bool m_open = false;
    bool m_holdsRunOnce = false;
    bool m_closingFrame = false;
    bool m_deleteOnClose = true;
    bool m_destroying = false;
};

} // namespace tarvo::ui
