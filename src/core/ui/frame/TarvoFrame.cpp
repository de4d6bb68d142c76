#include "core/ui/frame/TarvoFrame.h"

#include "core/frame/FrameEvents.h"
#include "core/frame/FrameGlobals.h"
#include "core/frame/MenuRights.h"
#include "core/frame/ProgramLimits.h"
#include "core/frame/RecordButtons.h"
#include "core/frame/SyncToolbarStates.h"
#include "core/frame/UserList.h"
#include "core/services/AccessServices.h"
#include "core/services/MailServices.h"
#include "core/services/Services.h"
#include "core/ui/frame/FrameMdi.h"
#include "core/ui/frame/FrameWindow.h"
#include "platform/runtime/Clock.h"
#include "platform/runtime/ContextRegistry.h"
#include "platform/runtime/DayDate.h"
#include "platform/runtime/IniFile.h"
#include "platform/runtime/Messages.h"
#include "platform/runtime/ProgramFolder.h"
#include "platform/runtime/ProgramInfo.h"
#include "platform/runtime/Translator.h"

#include <QAction>
#include <QFile>
#include <QLocale>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QScreen>

namespace tarvo::core::ui {

namespace {

const QString TrayTip = QStringLiteral("Tarvo");
const QString TrayIconName = QStringLiteral("tarvo_ico");

QString iniPathOf(const FrameSetup &setup)
{
    return setup.tarvoIniPath.isEmpty() ? ProgramFolder::filePath(QStringLiteral("Tarvo.INI"))
                                        : setup.tarvoIniPath;
}

QStringList weekdaysOf(const FrameSetup &setup)
{
    QString names = setup.weekdayNames;
    if (names.isEmpty())
        names = DayDate::weekdayNames(DayDate::languageOf(setup.language));
    QStringList days;
    for (int i = 0; i < 7; ++i)
        days.append(names.mid(i * 10, 10).trimmed());
    return days;
}

// The long date without its weekday, which the zone shows in front of it.
QString longDate(const QLocale &locale, const QDate &date)
{
    QString format = locale.dateFormat(QLocale::LongFormat);
    format.remove(QStringLiteral("dddd, ")).remove(QStringLiteral("dddd ")).remove(QStringLiteral("dddd"));
    return locale.toString(date, format.trimmed());
}

QString longTime(const QLocale &locale, const QTime &time)
{
    QString format = locale.timeFormat(QLocale::LongFormat);
    format.remove(u't');
    return locale.toString(time, format.trimmed());
}

// The menu item that switches a toolbar on and off ("TOOLSTANDARD").
QString switchControl(ToolbarKind kind)
{
    return QStringLiteral("TOOL") + toolbarDescription(kind).name.toUpper();
}

std::optional<ToolbarKind> toolbarOfSwitch(const QString &control)
{
    for (ToolbarKind kind : AllToolbars)
        if (control == switchControl(kind))
            return kind;
    return std::nullopt;
}

} // namespace

TarvoFrame::TarvoFrame(Context &first, FrameSetup setup)
    : WindowManager(first, QStringLiteral("TARVO")), m_setup(std::move(setup)),
      m_positions(iniPathOf(m_setup)), m_commands(first)
{
    auto *window = new FrameWindow;
    setWindow(window);
    setPositionStore(&m_positions, QStringLiteral("TARVO"));
    // Every window keeps its place in "Tarvo.INI" while the frame runs.
    WindowManager::setDefaultPositionStore(&m_positions);
    FrameMdi::setArea(window->mdiArea());
    // Without a user's own folder (nobody logged in through the library) the program's folder holds it.
    AccessServices &access = *Services::access();
    m_userIniPath = access.makOrdner().isEmpty() ? ProgramFolder::filePath(QStringLiteral("User.ini"))
                                                 : FrameUserSettings::userIniPath(access);
    m_toolbars = std::make_unique<FrameToolbars>(first, *window, m_userIniPath,
                                                 [this](const QString &control) { takeAccepted(control); });

    connect(window, &FrameWindow::commandChosen, this, &TarvoFrame::takeAccepted);
    connect(window->mdiArea(), &QMdiArea::subWindowActivated, this, [this](QMdiSubWindow *child) {
        if (!child)
            QMetaObject::invokeMethod(this, &TarvoFrame::disableRecordButtonsWithoutWindow,
                                      Qt::QueuedConnection);
    });
    connect(window, &FrameWindow::closeRequested, this, [this]() { post(Events::CloseWindow); });
    connect(window, &FrameWindow::resized, this, [this]() {
        if (const int browse = FrameGlobals::instance().browseBugsThread())
            if (ContextRegistry *registry = context().registry())
                registry->post(browse, Events::FrameResized);
    });
    if (QAction *toolbars = window->action(QStringLiteral("EXTRATOOLBARS")))
        connect(toolbars->menu(), &QMenu::aboutToShow, this, [this]() {
            for (ToolbarKind kind : AllToolbars) {
                if (QAction *item = frameWindow()->action(switchControl(kind)))
                    item->setChecked(FrameGlobals::instance().toolbarOn(kind));
            }
        });
    m_clock.setInterval(1000);
    connect(&m_clock, &QTimer::timeout, this, &TarvoFrame::updateClock);
}

TarvoFrame::~TarvoFrame()
{
    WindowManager::setDefaultPositionStore(nullptr);
}

FrameWindow *TarvoFrame::frameWindow() const
{
    return static_cast<FrameWindow *>(window());
}

QWidget *TarvoFrame::frame() const
{
    return m_opening ? nullptr : window();
}

void TarvoFrame::post(int event, const QVariant &data)
{
    if (ContextRegistry *registry = context().registry())
        registry->post(context().number(), event, data);
}

bool TarvoFrame::open()
{
    FrameGlobals &globals = FrameGlobals::instance();
    globals.setChainRunning(true);
    // The frame stays hidden until the toolbar chain has ended.
    m_opening = true;
    const bool opened = WindowManager::open();
    m_opening = false;
    if (!opened)
        return false;

    m_settings = FrameUserSettings::read(IniFile(m_userIniPath));
    globals.setSwitches(m_settings.toolbars);
    globals.setChosen(m_settings.toolbars);
    globals.setTabColor(m_settings.tabColor);
    m_weekdays = weekdaysOf(m_setup);
    // A German interface on a system in another language still shows German month names.
    if (isGermanLanguage(m_setup.language) && QLocale::system().language() != QLocale::German)
        m_clockLocale = QLocale(QLocale::German, QLocale::Germany);
    // No window takes the record buttons until one says so.
    globals.savedButtonDisabled().fill(true);

    FrameWindow *window = frameWindow();
    if (m_settings.startIconized)
        window->setWindowState(window->windowState() | Qt::WindowMinimized);

    if (m_setup.closeDown)
        m_setup.closeDown->start();
    globals.setFrameThread(context().number());
    runChainStep(ToolbarChain::begin(globals.switches()));

    const std::optional<tarvo::ui::WindowPosition> saved = m_positions.load(QStringLiteral("TARVO"));
    if (saved && saved->geometry.isValid()) {
        window->setGeometry(saved->geometry);
        m_maximized = saved->maximized;
    } else if (const QScreen *screen = window->screen()) {
        // A first start fills the screen's working area, so that no part of a window inside is cut.
        window->setGeometry(screen->availableGeometry());
        m_maximized = true;
    }
    if (m_settings.minimizeToTray)
        createTray();

    window->setStatusZone(3, QStringLiteral("Version ") + ProgramInfo::version().leftJustified(10));
    if (AccessServices *access = Services::access())
        window->setStatusZone(4, access->getValue(QStringLiteral("StatusBenutzer")));
    applyMenuRights();
    updateClock();
    m_clock.start();

    if (AccessServices *access = Services::access())
        refillUserList(*access);
    buildSecP();
    return true;
}

void TarvoFrame::runChainStep(const ToolbarChain::Step &step)
{
    if (step.start)
        m_toolbars->start(*step.start);
    else if (step.notifySelf != 0)
        post(FrameEvents::ToolbarNotify, step.notifySelf);
    if (step.finished) {
        FrameGlobals::instance().setChainRunning(false);
        showAtChainEnd();
    }
}

void TarvoFrame::showAtChainEnd()
{
    FrameWindow *window = frameWindow();
    if (!m_settings.startIconized) {
        if (m_maximized)
            window->showMaximized();
        else
            window->show();
    } else if (!m_tray) {
        // Iconised with a tray icon the frame waits there; without one it must stay reachable.
        window->showMinimized();
    }
    // The issue browse opens once the frame is there to hold it, so that what it says on opening
    // stands in front of the frame rather than behind it.
    startBrowseBugs();
}

void TarvoFrame::createTray()
{
    m_tray = TrayIcon::create();
    if (!m_tray)
        return;
    const int frameNumber = context().number();
    ContextRegistry *registry = context().registry();
    m_tray->setEventSink([registry, frameNumber](int event) {
        if (registry)
            registry->post(frameNumber, event);
    });
    (void)m_tray->addIcon(TrayTip, TrayIconName);
    m_trayMenu.clear();
    m_trayMenu.setObjectName(QStringLiteral("TRAYMENU"));
    QAction *about = m_trayMenu.addAction(QStringLiteral("&About"));
    about->setObjectName(QStringLiteral("TRAYABOUT"));
    connect(about, &QAction::triggered, this,
            [this]() { post(Events::Accepted, QStringLiteral("HELPABOUTTARVO")); });
    m_trayMenu.addSeparator();
    QAction *restore = m_trayMenu.addAction(QStringLiteral("Restore"));
    restore->setObjectName(QStringLiteral("TRAYRESTORE"));
    connect(restore, &QAction::triggered, this, &TarvoFrame::restoreFromTray);
    m_trayMenu.addSeparator();
    QAction *exit = m_trayMenu.addAction(QStringLiteral("Exit"));
    exit->setObjectName(QStringLiteral("TRAYEXIT"));
    connect(exit, &QAction::triggered, this,
            [this]() { post(Events::Accepted, QStringLiteral("FILEEXIT")); });
    frameWindow()->setHideWhenMinimized(true);
}

void TarvoFrame::restoreFromTray()
{
    FrameWindow *window = frameWindow();
    window->setWindowState(window->windowState() & ~Qt::WindowMinimized);
    window->show();
    window->raise();
    window->activateWindow();
}

void TarvoFrame::startBrowseBugs()
{
    FrameGlobals::instance().setBrowseBugsThread(m_commands.startBrowseBugs());
}

void TarvoFrame::buildSecP()
{
    AccessServices *access = Services::access();
    const Result<QStringList> names =
        access ? ProgramLimits::read(access->pfad(), access->mak())
               : Result<QStringList>(makeError(2, QStringLiteral("File Not Found")));
    const ProgramLimits::Outcome outcome = ProgramLimits::outcome(names);
    FrameGlobals::instance().setSecP(outcome.secP);
    if (!outcome.failure.isEmpty())
        Messages::show(outcome.failure, QStringLiteral("Tarvo"), MessageIcon::Exclamation);
}

void TarvoFrame::applyMenuRights()
{
    AccessServices *access = Services::access();
    if (!access)
        return;
    MenuRights::apply(*access, [this](const QString &control, bool allowed) {
        if (QAction *item = frameWindow()->action(control))
            item->setEnabled(allowed);
    });
}

// Presses of the record buttons go to the active child; with none left, nobody would take them.
// Checked once the area has settled, since a closing child deactivates before the next one comes up.
void TarvoFrame::disableRecordButtonsWithoutWindow()
{
    ContextRegistry *registry = context().registry();
    if (!registry || !isOpen() || FrameMdi::activeContext() != 0)
        return;
    RecordButtonStates disabled;
    disabled.fill(true);
    SyncToolbarStates(*registry, disabled);
}

void TarvoFrame::updateClock()
{
    const QDateTime now = Clock::now();
    const QString weekday = m_weekdays.value(now.date().dayOfWeek() % 7);
    frameWindow()->setStatusZone(5, weekday + QStringLiteral(", ") + longDate(m_clockLocale, now.date()));
    frameWindow()->setStatusZone(6, longTime(m_clockLocale, now.time()));
}

bool TarvoFrame::takeEvent(int event, const QVariant &data)
{
    switch (event) {
    case Events::TrayLeftDoubleClick:
        if (m_tray)
            restoreFromTray();
        return true;
    case Events::TrayRightClick:
        if (m_tray) {
            if (QAction *restore = m_trayMenu.findChild<QAction *>(QStringLiteral("TRAYRESTORE")))
                restore->setEnabled(frameWindow()->isHidden());
            m_tray->popup(m_trayMenu);
        }
        return true;
    case Events::TaskbarCreated:
        if (m_tray)
            (void)m_tray->addIcon(TrayTip, TrayIconName);
        return true;
    case Events::TrayLeftClick:
    case Events::TrayRightDoubleClick:
    case Events::Refresh:
        return true;
    case Events::RunSystemRoutines:
        post(Events::Accepted, QStringLiteral("EXTRASYSTEMROUTINEN"));
        return true;
    case Events::ShowDemoFeature:
        showDemoFeature();
        return true;
    case FrameEvents::ToolbarNotify:
        runChainStep(ToolbarChain::take(data.toInt(), FrameGlobals::instance().switches()));
        return true;
    case Events::CloseDown:
        close();
        return true;
    default:
        return WindowManager::takeEvent(event, data);
    }
}

void TarvoFrame::showDemoFeature()
{
    FrameGlobals &globals = FrameGlobals::instance();
    QString control;
    switch (globals.demoFeature()) {
    case 2:
        control = QStringLiteral("EXTRASECURITYSYSTEM");
        break;
    case 3:
        control = QStringLiteral("EXTRAEMAILEVENTS");
        break;
    case 5:
        control = QStringLiteral("BROWSECUSTOMER");
        break;
    case 9:
        post(Events::Accepted, QStringLiteral("HELPSENDFEEDBACK"));
        return;
    default:
        return; // the issue browse's features
    }
    QAction *item = frameWindow()->action(control);
    const auto *menu = item ? qobject_cast<QMenu *>(item->parent()) : nullptr;
    const bool enabled = item && item->isEnabled() && (!menu || menu->menuAction()->isEnabled());
    if (!enabled) {
        globals.setDemoFeature(0);
        Messages::beep();
        return;
    }
    post(Events::Accepted, control);
}

void TarvoFrame::takeAccepted(const QString &control)
{
    if (recordButtonIndex(control) >= 0) {
        // The press belongs to the active child window, on its own context.
        const int active = FrameMdi::activeContext();
        if (active != 0 && active != context().number())
            if (ContextRegistry *registry = context().registry())
                registry->post(active, Events::Accepted, control);
        return;
    }
    if (control == QLatin1String("FILEEXIT")) {
        if (ContextRegistry *registry = context().registry())
            registry->post(ContextRegistry::FrameNumber, Events::CloseWindow);
    } else if (const std::optional<ToolbarKind> kind = toolbarOfSwitch(control)) {
        // The tick follows the switch, whether the choice came from the menu or was posted.
        const bool on = !FrameGlobals::instance().toolbarOn(*kind);
        if (QAction *item = frameWindow()->action(control))
            item->setChecked(on);
        m_toolbars->toggle(*kind, on);
    } else if (control == QLatin1String("EXTRATOOLBARSREARRANGE")) {
        m_toolbars->rearrange(
            [this]() { runChainStep(ToolbarChain::begin(FrameGlobals::instance().switches())); });
    } else if (control == QStringLiteral("VERSCHIEDENESINIDATEILÖSCHEN")) {
        resetWindowPositions();
    } else {
        m_commands.run(control);
    }
}

void TarvoFrame::resetWindowPositions()
{
    ContextRegistry *registry = context().registry();
    if (!registry)
        return;
    const FrameGlobals &globals = FrameGlobals::instance();
    for (int number : registry->numbers()) {
        if (number >= ContextRegistry::FirstStartedNumber && !globals.isToolbar(registry->ref(number)))
            registry->post(number, Events::CloseWindow);
    }
    // Queued behind the closes: each window stores its place as it closes, and none of them may
    // write the file again once it is gone.
    QMetaObject::invokeMethod(this, &TarvoFrame::finishReset, Qt::QueuedConnection);
}

void TarvoFrame::finishReset()
{
    if (!QFile::remove(m_positions.path())) {
        Messages::show(QStringLiteral("INI file \"Tarvo.ini\" could not be deleted!"),
                       QStringLiteral("Error"), MessageIcon::Information);
        return;
    }
    Messages::show(QStringLiteral("INI file \"Tarvo.ini\" deleted!"), QStringLiteral("Tarvo"),
                   MessageIcon::Application);
    startBrowseBugs();
}

bool TarvoFrame::close()
{
    if (!isOpen() || m_closing)
        return false;
    m_closing = true;
    // The toolbars the user chose, as they were before the shutdown closed any of them.
    IniFile userIni(m_userIniPath);
    (void)FrameUserSettings::writeToolbars(userIni, FrameGlobals::instance().chosen());
    if (ContextRegistry *registry = context().registry()) {
        for (int number : registry->numbers())
            if (number != context().number())
                registry->post(number, Events::CloseWindow);
    }
    if (m_setup.closeDown)
        m_setup.closeDown->stop();
    m_clock.stop();
    const bool closed = WindowManager::close();
    if (AccessServices *access = Services::access())
        access->useFiles(2);
    if (m_tray) {
        m_tray->removeIcon();
        m_tray.reset();
    }
    m_closing = false;
    return closed;
}

} // namespace tarvo::core::ui
