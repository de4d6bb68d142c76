#include "FrameFixture.h"

#include "core/frame/FrameGlobals.h"
#include "core/frame/FrameProcedures.h"
#include "core/services/Services.h"
#include "core/ui/frame/FrameMdi.h"
#include "core/ui/frame/FrameWindow.h"
#include "platform/runtime/Events.h"
#include "platform/runtime/IniFile.h"
#include "platform/ui/WindowManager.h"

#include <QApplication>
#include <QDir>
#include <QLabel>
#include <QToolBar>

namespace tarvo::core::ui::test {

namespace {

// A child window of the frame that comes to the front when its context gains the focus.
class ChildWindow final : public tarvo::ui::WindowManager {
  public:
    ChildWindow(Context &context, const QString &title) : WindowManager(context, QStringLiteral("BrowseBugs"))
    {
        QWidget *window = FrameMdi::addWindow(new QLabel(title), context);
        window->setWindowTitle(title);
        setWindow(window);
    }
    bool takeEvent(int event, const QVariant &data) override
    {
        const bool taken = WindowManager::takeEvent(event, data);
        if (event == Events::GainFocus)
            FrameMdi::activate(window());
        return taken;
    }
};

} // namespace

int ChildIssues::browseBugs()
{
    Result<int> started = m_registry.start(
        [](Context &context) { (new ChildWindow(context, QStringLiteral("Issues")))->open(); });
    return started ? *started : 0;
}

void FrameFixture::SetUp()
{
    m_dir.useAsConfigHome();
    QDir(m_dir.path()).mkpath(QStringLiteral("user"));
    QDir(m_dir.path()).mkpath(QStringLiteral("data"));
    m_access.folder = m_dir.file(QStringLiteral("user"));
    m_access.dataFolder = m_dir.file(QStringLiteral("data"));
    Services::setAccess(&m_access);
    Services::setIssues(&m_issues);
    FrameGlobals::instance().reset();
    TrayIcon::setFactory([]() { return std::unique_ptr<TrayIcon>(); });
}

void FrameFixture::TearDown()
{
    closeFrame();
    m_frame.reset();
    settle();
    Services::setAccess(nullptr);
    Services::setIssues(nullptr);
    TrayIcon::setFactory({});
    FrameProcedures::clear();
    FrameGlobals::instance().reset();
}

void FrameFixture::userIni(const QString &section, const QString &key, const QString &value)
{
    IniFile ini(QDir(m_access.folder).filePath(QStringLiteral("User.ini")));
    ASSERT_TRUE(ini.setValue(section, key, value));
}

QString FrameFixture::userIniValue(const QString &section, const QString &key) const
{
    return IniFile(QDir(m_access.folder).filePath(QStringLiteral("User.ini"))).value(section, key);
}

TarvoFrame &FrameFixture::openFrame(bool withTray)
{
    if (withTray) {
        TrayIcon::setFactory([this]() {
            auto tray = std::make_unique<FakeTray>();
            m_tray = tray.get();
            return std::unique_ptr<TrayIcon>(std::move(tray));
        });
    }
    FrameSetup setup;
    setup.tarvoIniPath = m_dir.file(QStringLiteral("Tarvo.INI"));
    setup.language = m_language;
    m_frame = std::make_unique<TarvoFrame>(m_registry.openFirst(), setup);
    m_frame->setDeleteOnClose(false);
    EXPECT_TRUE(m_frame->open());
    settle();
    return *m_frame;
}

void FrameFixture::closeFrame()
{
    if (m_frame && m_frame->isOpen()) {
        m_frame->close();
        settle();
    }
}

void FrameFixture::settle(int rounds)
{
    for (int i = 0; i < rounds; ++i)
        QApplication::processEvents();
}

QStringList FrameFixture::toolbarNames() const
{
    QStringList names;
    if (!m_frame)
        return names;
    for (QToolBar *bar : m_frame->frameWindow()->findChildren<QToolBar *>())
        if (bar->isVisible())
            names.append(bar->objectName());
    return names;
}

} // namespace tarvo::core::ui::test
