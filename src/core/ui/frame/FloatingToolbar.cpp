#include "core/ui/frame/FloatingToolbar.h"

#include "core/frame/FrameEvents.h"
#include "core/frame/FrameGlobals.h"
#include "core/frame/FrameUserSettings.h"
#include "core/frame/RecordButtons.h"
#include "core/ui/frame/ToolbarIcons.h"
#include "platform/runtime/ContextRegistry.h"
#include "platform/runtime/IniFile.h"
#include "platform/ui/WindowPositionStore.h"

#include <QAction>
#include <QMainWindow>
#include <QToolBar>

namespace tarvo::core::ui {

namespace {

// The toolbars keep their places in User.ini, not with the windows in "Tarvo.INI".
class NoPositions final : public tarvo::ui::WindowPositionStore {
  public:
    std::optional<tarvo::ui::WindowPosition> load(const QString &) const override { return std::nullopt; }
    void save(const QString &, const tarvo::ui::WindowPosition &) override {}
};
NoPositions g_noPositions;

Qt::ToolBarArea areaOf(int docked)
{
    switch (docked) {
    case Dock::Left:
        return Qt::LeftToolBarArea;
    case Dock::Right:
        return Qt::RightToolBarArea;
    case Dock::Bottom:
        return Qt::BottomToolBarArea;
    default:
        return Qt::TopToolBarArea;
    }
}

int dockedOf(Qt::ToolBarArea area, bool floating)
{
    if (floating)
        return Dock::Float;
    switch (area) {
    case Qt::LeftToolBarArea:
        return Dock::Left;
    case Qt::RightToolBarArea:
        return Dock::Right;
    case Qt::BottomToolBarArea:
        return Dock::Bottom;
    default:
        return Dock::Top;
    }
}

} // namespace

FloatingToolbar::FloatingToolbar(Context &context, ToolbarKind kind, QMainWindow &frame, QString userIniPath,
                                 CommandRunner runCommand)
    : WindowManager(context, toolbarDescription(kind).procedure), m_kind(kind), m_frame(&frame),
      m_userIniPath(std::move(userIniPath)), m_runCommand(std::move(runCommand))
{
    const ToolbarDescription &description = toolbarDescription(kind);
    auto *bar = new QToolBar(description.title);
    bar->setObjectName(description.procedure);
    bar->setIconSize(QSize(16, 16));
    for (const ToolbarButton &button : description.buttons) {
        QAction *action = bar->addAction(toolbarIcon(kind, button.objectName), button.tip);
        action->setObjectName(button.objectName);
        action->setToolTip(button.tip);
        connect(action, &QAction::triggered, this, [this, button]() { press(button); });
    }
    setWindow(bar);
    setPositionStore(&g_noPositions);
}

QToolBar *FloatingToolbar::toolbar() const
{
    return static_cast<QToolBar *>(window());
}

bool FloatingToolbar::open()
{
    QToolBar *bar = toolbar();
    if (!m_frame || !bar)
        return false;
    const ToolbarPlace place = readToolbarPlace(IniFile(m_userIniPath), m_kind);
    m_frame->addToolBar(areaOf(place.docked), bar);
    if (!WindowManager::open())
        return false;

    const ToolbarDescription &description = toolbarDescription(m_kind);
    FrameGlobals &globals = FrameGlobals::instance();
    if (globals.chainRunning() && description.notifyCode != 0) {
        if (ContextRegistry *registry = context().registry())
            registry->post(globals.frameThread(), FrameEvents::ToolbarNotify, description.notifyCode);
    }
    applySavedStates();
    return true;
}

bool FloatingToolbar::close()
{
    if (!isOpen())
        return false;
    FrameGlobals::instance().setToolbarOn(m_kind, false);
    QToolBar *bar = toolbar();
    if (bar && m_frame) {
        ToolbarPlace place;
        place.docked = dockedOf(m_frame->toolBarArea(bar), bar->isFloating());
        place.x = bar->x();
        place.y = bar->y();
        place.width = bar->width();
        place.height = bar->height();
        IniFile userIni(m_userIniPath);
        (void)writeToolbarPlace(userIni, m_kind, place);
        m_frame->removeToolBar(bar);
    }
    return WindowManager::close();
}

bool FloatingToolbar::takeEvent(int event, const QVariant &data)
{
    switch (event) {
    case Events::ToolbarRefresh:
        applySavedStates();
        return true;
    case Events::CloseDown:
        close();
        return true;
    default:
        return WindowManager::takeEvent(event, data);
    }
}

void FloatingToolbar::press(const ToolbarButton &button)
{
    if (!button.command.isEmpty()) {
        if (m_runCommand)
            m_runCommand(button.command);
        return;
    }
    // A record button acts on the active window; the frame knows which that is.
    if (ContextRegistry *registry = context().registry())
        registry->post(FrameGlobals::instance().frameThread(), Events::Accepted, button.objectName);
}

void FloatingToolbar::applySavedStates()
{
    if (m_kind != ToolbarKind::Navigation && m_kind != ToolbarKind::Update)
        return;
    const RecordButtonStates &saved = FrameGlobals::instance().savedButtonDisabled();
    for (const ToolbarButton &button : toolbarDescription(m_kind).buttons) {
        if (QAction *action = toolbar()->findChild<QAction *>(button.objectName))
            action->setEnabled(!saved[std::size_t(recordButtonIndex(button.objectName))]);
    }
}

} // namespace tarvo::core::ui
