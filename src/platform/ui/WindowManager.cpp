#include "platform/ui/WindowManager.h"

#include "platform/desktop/HelpPages.h"
#include "platform/runtime/Messages.h"
#include "platform/runtime/RunOnce.h"
#include "platform/ui/HelpKey.h"
#include "platform/ui/WindowPositionStore.h"

#include <QAbstractButton>
#include <QCoreApplication>
#include <QDialog>
#include <QEvent>

#include <utility>

namespace tarvo::ui {

namespace {
WindowPositionStore *s_defaultPositionStore = nullptr;
WindowManager::OpenHook s_openHook;
} // namespace

WindowManager::WindowManager(Context &context, QString procedureName, QObject *parent)
    : QObject(parent), m_context(context.shared_from_this()), m_procedureName(std::move(procedureName))
{
}

WindowManager::~WindowManager()
{
    m_destroying = true;
    if (m_open) {
        m_open = false;
        detachFromContext();
    }
    if (m_window) {
        // The derived window is already gone: a control that signals while it is deleted (a line
        // edit losing the focus) must not reach its handlers.
        m_window->disconnect(this);
        const auto children = m_window->findChildren<QObject *>();
        for (QObject *child : children)
            child->disconnect(this);
        m_window->removeEventFilter(this);
        delete m_window.data();
    }
}

void WindowManager::setWindow(QWidget *window)
{
    if (m_window == window)
        return;
    if (m_window) {
        m_window->disconnect(this);
        delete m_window.data();
    }
    m_window = window;
    if (!window)
        return;
    // A window destroyed under the manager (its caller went first) still ends properly, without
    // touching the widgets that are gone.
    connect(window, &QObject::destroyed, this, [this]() { finishClose(false); });
    if (auto *dialog = qobject_cast<QDialog *>(window)) {
        connect(dialog, &QDialog::finished, this, [this]() {
            if (m_open)
                close();
        });
    }
}

void WindowManager::setPositionStore(WindowPositionStore *store, const QString &section)
{
    m_positionStore = store;
    m_positionSection = section;
}

void WindowManager::setDefaultPositionStore(WindowPositionStore *store)
{
    s_defaultPositionStore = store;
}

void WindowManager::setOpenHook(OpenHook hook)
{
    s_openHook = std::move(hook);
}

void WindowManager::denyControl(const QString &controlName)
{
    if (!isDenied(controlName))
        m_denied.append(controlName);
}

bool WindowManager::isDenied(const QString &controlName) const
{
    return m_denied.contains(controlName, Qt::CaseInsensitive);
}

void WindowManager::addRightsName(const QString &name, const QStringList &controls)
{
    m_rightsNames.emplace_back(name, controls);
}

bool WindowManager::open()
{
    if (m_open)
        return true;
    m_request = m_context->threadRequest();
    if (m_runOnce) {
        const RunOnce::Admission admission = m_runOnce->admit(*m_context);
        if (admission == RunOnce::Admission::Refused) {
            if (m_deleteOnClose)
                deleteLater();
            return false;
        }
        m_holdsRunOnce = admission == RunOnce::Admission::AdmittedAndHeld;
    }
    m_context->pushProcedure(m_procedureName);
    // The request was meant for this window only; what it calls gets a request of its own.
    m_context->setThreadRequest(Request::None);
    m_context->setThreadResponse(Response::None);
    m_response = Response::Cancelled;
    m_receiver =
        m_context->addReceiver([this](const PostedEvent &posted) { takeEvent(posted.event, posted.data); });
    m_open = true;
    if (s_openHook && m_window)
        s_openHook(*this);

    if (QWidget *shown = frame()) {
        if (m_caller) {
            shown->setParent(m_caller->window(), shown->windowFlags() | Qt::Dialog);
            shown->setWindowModality(Qt::WindowModal);
        }
        shown->installEventFilter(this);
        m_watchedFrame = shown;
        m_lastShownPosition.reset();
        restorePosition(shown);
    }
    return true;
}

bool WindowManager::openModal(QWidget *caller, Continuation whenClosed)
{
    m_caller = caller;
    m_continuation = std::move(whenClosed);
    if (open())
        return true;
    // The caller waits for this answer; a form that did not open must still give it.
    m_context->setThreadResponse(Response::Cancelled);
    if (Continuation done = std::exchange(m_continuation, {}))
        done(Response::Cancelled);
    return false;
}

bool WindowManager::close()
{
    return finishClose(true);
}

bool WindowManager::finishClose(bool savePosition)
{
    if (!m_open)
        return false;
    QWidget *shown = frame();
    if (savePosition && shown)
        storePosition(shown);
    m_open = false;
    m_context->setThreadResponse(m_response);
    detachFromContext();
    if (shown) {
        shown->removeEventFilter(this);
        shown->hide();
    }
    m_watchedFrame = nullptr;

    const QPointer<WindowManager> self(this);
    const int response = m_response;
    Continuation done = std::exchange(m_continuation, {});
    Q_EMIT closed(response);
    if (done)
        done(response);
    if (self && m_deleteOnClose)
        deleteLater();
    return true;
}

void WindowManager::detachFromContext()
{
    m_context->popProcedure(m_procedureName);
    if (m_holdsRunOnce && m_runOnce)
        m_runOnce->release(m_context->ref());
    m_holdsRunOnce = false;
    // Last: with its last receiver gone a started context ends (from the event loop).
    if (m_receiver) {
        m_context->removeReceiver(m_receiver);
        m_receiver = 0;
    }
}

bool WindowManager::takeEvent(int event, const QVariant &data)
{
    switch (event) {
    case Events::CloseWindow:
        close();
        return true;
    case Events::GainFocus:
        activate();
        return true;
    case Events::Accepted:
        if (data.typeId() != QMetaType::QString)
            return false;
        // A denied control's request is dropped however it was posted (menu, key, another window).
        if (!isDenied(data.toString()))
            takeAccepted(data.toString());
        return true;
    default:
        return false;
    }
}

void WindowManager::takeAccepted(const QString &controlName)
{
    Q_UNUSED(controlName);
}

void WindowManager::run(int procedureNumber, int request, Continuation done)
{
    if (m_request == Request::View) {
        // A window that only shows its record calls nothing that could change data.
        m_context->setThreadResponse(Response::Cancelled);
        if (done)
            done(Response::Cancelled);
        return;
    }
    m_context->setThreadRequest(request);
    m_context->setThreadResponse(Response::None);
    auto finishedOnce = std::make_shared<bool>(false);
    const QPointer<WindowManager> self(this);
    runProcedure(procedureNumber, [this, self, context = m_context, done = std::move(done), finishedOnce]() {
        if (*finishedOnce)
            return;
        *finishedOnce = true;
        // A form also ends when its caller's window is deleted under it; the caller is gone then
        // and must not be called back.
        if (!self || m_destroying)
            return;
        if (done)
            done(context->threadResponse());
    });
}

void WindowManager::setProcedure(int number, ProcedureStarter start)
{
    m_procedures[number] = std::move(start);
}

void WindowManager::runProcedure(int procedureNumber, std::function<void()> finished)
{
    const auto it = m_procedures.find(procedureNumber);
    if (it == m_procedures.end()) {
        finished();
        return;
    }
    it->second(std::move(finished));
}

void WindowManager::acceptOn(QAbstractButton *button)
{
    connect(button, &QAbstractButton::clicked, this, [this, button]() {
        if (!isDenied(button->objectName()))
            takeAccepted(button->objectName());
    });
}

void WindowManager::activate()
{
    QWidget *shown = frame();
    if (!shown)
        return;
    if (shown->isMinimized())
        shown->setWindowState(shown->windowState() & ~Qt::WindowMinimized);
    shown->raise();
    shown->activateWindow();
}

void WindowManager::setHelp(QAbstractButton *button, const QString &topic)
{
    if (button)
        button->setProperty(KeepInViewMode, true);
    if (m_window)
        HelpKey::bind(m_window, button, [topic]() { (void)showHelp(topic); });
}

bool WindowManager::showHelp(const QString &topic)
{
    const QString folder = QCoreApplication::applicationDirPath() + QStringLiteral("/help");
    const QString path = HelpPages::page({folder}, topic.isEmpty() ? QStringLiteral("Tarvo.html") : topic);
    switch (HelpPages::open(path)) {
    case HelpPages::Outcome::Opened:
        return true;
    case HelpPages::Outcome::NotFound:
        Messages::show(QStringLiteral("The help page \"%1\" could not be found!").arg(path),
                       QStringLiteral("Help"), MessageIcon::Exclamation);
        return false;
    case HelpPages::Outcome::NotOpened:
        Messages::show(QStringLiteral("The help page \"%1\" could not be opened!").arg(path),
                       QStringLiteral("Help"), MessageIcon::Exclamation);
        return false;
    }
    return false;
}

bool WindowManager::eventFilter(QObject *watched, QEvent *event)
{
    // Closing from the title bar goes the same way as every other close, so a window can refuse.
    if (watched == m_watchedFrame && event->type() == QEvent::Hide && m_open)
        m_lastShownPosition = currentPosition(m_watchedFrame);
    if (watched == m_watchedFrame && event->type() == QEvent::Close && m_open) {
        event->ignore();
        close();
        return true;
    }
    return QObject::eventFilter(watched, event);
}

WindowPositionStore *WindowManager::positionStore() const
{
    return m_positionStore ? m_positionStore : s_defaultPositionStore;
}

QString WindowManager::positionSection() const
{
    return m_positionSection.isEmpty() ? m_procedureName : m_positionSection;
}

void WindowManager::restorePosition(QWidget *shown)
{
    const WindowPositionStore *store = positionStore();
    const std::optional<WindowPosition> saved = store ? store->load(positionSection()) : std::nullopt;
    if (saved && saved->geometry.isValid())
        shown->setGeometry(saved->geometry);
    shown->show();
    if (saved && saved->maximized)
        shown->setWindowState(shown->windowState() | Qt::WindowMaximized);
}

WindowPosition WindowManager::currentPosition(const QWidget *shown)
{
    QRect normal = shown->isWindow() ? shown->normalGeometry() : shown->geometry();
    if (!normal.isValid())
        normal = shown->geometry();
    return WindowPosition{normal, shown->isMaximized()};
}

void WindowManager::storePosition(QWidget *shown)
{
    WindowPositionStore *store = positionStore();
    if (!store)
        return;
    // A dialog that ended itself (OK, Escape) is already hidden when the manager hears of it.
    if (shown->isVisible())
        store->save(positionSection(), currentPosition(shown));
    else if (m_lastShownPosition)
        store->save(positionSection(), *m_lastShownPosition);
}

} // namespace tarvo::ui
