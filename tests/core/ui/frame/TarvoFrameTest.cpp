#include "FrameFixture.h"
#include "core/frame/FrameGlobals.h"
#include "core/frame/MenuRights.h"
#include "core/services/IssueServices.h"
#include "core/services/Services.h"
#include "core/ui/frame/FrameWindow.h"
#include "platform/runtime/IniFile.h"
#include "platform/ui/WindowManager.h"

#include <QAction>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>

namespace tarvo::core::ui::test {
namespace {

using FrameRights = FrameFixture;

TEST_F(FrameRights, RefusedKeysDisableTheirItemsAndAreAskedInTableOrder)
{
    m_access.refused = {QStringLiteral("TARVO:?BrowseCustomer"), QStringLiteral("TARVO:?Extra"),
                        QStringLiteral("TARVO:?VerschiedenesINIDateilöschen")};
    TarvoFrame &frame = openFrame();
    QStringList expectedOrder;
    for (const MenuRight &right : MenuRights::table()) {
        expectedOrder.append(right.rightsKey);
        QAction *item = frame.frameWindow()->action(right.control);
        ASSERT_NE(item, nullptr) << right.control.toStdString();
        EXPECT_EQ(item->isEnabled(), !m_access.refused.contains(right.rightsKey))
            << right.control.toStdString();
    }
    QStringList menuKeys;
    for (const QString &key : m_access.asked)
        if (key.startsWith(QLatin1String("TARVO:")))
            menuKeys.append(key);
    EXPECT_EQ(menuKeys, expectedOrder);
    EXPECT_EQ(frame.frameWindow()->statusZone(4), QStringLiteral("Anna Berg (ABC)"));
    EXPECT_EQ(frame.frameWindow()->statusZone(3), QStringLiteral("Version 4.1       "));
}

TEST_F(FrameRights, ChangePasswordNamesTheWholeUserCode)
{
    // The library looks users up by their whole code; the initials would name nobody, or another user.
    m_access.code = QStringLiteral("Annabelle");
    TarvoFrame &frame = openFrame();
    frame.frameWindow()->action(QStringLiteral("EXTRACHANGEPASSWORD"))->trigger();
    settle();
    EXPECT_EQ(m_access.passwordChanges, QStringList{QStringLiteral("Annabelle|0")});
}

struct ChainCase {
    const char *toolbars;
    QStringList shown;
};

class FrameToolbarChain : public FrameFixture, public testing::WithParamInterface<ChainCase> {};

TEST_P(FrameToolbarChain, ShowsTheSwitchedOnToolbarsInOrderThenTheFrame)
{
    userIni(QStringLiteral("Toolbars"), QStringLiteral("Toolbars"), QString::fromLatin1(GetParam().toolbars));
    TarvoFrame &frame = openFrame();
    EXPECT_EQ(toolbarNames(), GetParam().shown);
    EXPECT_TRUE(frame.frameWindow()->isVisible());
    EXPECT_FALSE(FrameGlobals::instance().chainRunning());
}

INSTANTIATE_TEST_SUITE_P(
    Switches, FrameToolbarChain,
    testing::Values(ChainCase{"11111",
                              {"Toolbar_Standard", "Toolbar_Navigation", "Toolbar_Update", "Toolbar_Options",
                               "Toolbar_Help"}},
                    ChainCase{"10101", {"Toolbar_Standard", "Toolbar_Update", "Toolbar_Help"}},
                    ChainCase{"X1100", {"Toolbar_Navigation", "Toolbar_Update"}}, ChainCase{"00000", {}}));

using FrameClosing = FrameFixture;

TEST_F(FrameClosing, StoresTheChosenToolbarsEvenWhenTheShutdownClosedThemFirst)
{
    TarvoFrame &frame = openFrame();
    frame.frameWindow()->action(QStringLiteral("TOOLNAVIGATION"))->trigger(); // the user turns it off
    settle();
    EXPECT_FALSE(toolbarNames().contains(QStringLiteral("Toolbar_Navigation")));
    // A close-down reaches the toolbars before the frame.
    for (ToolbarKind kind : AllToolbars)
        m_registry.postTo(FrameGlobals::instance().toolbarContext(kind), Events::CloseDown);
    settle();
    EXPECT_TRUE(toolbarNames().isEmpty());
    closeFrame();
    EXPECT_EQ(userIniValue(QStringLiteral("Toolbars"), QStringLiteral("Toolbars")), QStringLiteral("10111"));
    EXPECT_EQ(userIniValue(QStringLiteral("Toolbars"), QStringLiteral("ToolbarStandardDocked")),
              QStringLiteral("2"));
    EXPECT_EQ(m_access.useFilesMode, 2);
    EXPECT_TRUE(IniFile(m_dir.file(QStringLiteral("Tarvo.INI")))
                    .contains(QStringLiteral("TARVO"), QStringLiteral("Width")));
}

using FrameStartIconized = FrameFixture;

TEST_F(FrameStartIconized, WithoutATrayTheFrameStaysReachableAsAnIcon)
{
    userIni(QStringLiteral("User Settings"), QStringLiteral("StartIconized"), QStringLiteral("1"));
    TarvoFrame &frame = openFrame(false);
    EXPECT_EQ(frame.tray(), nullptr);
    EXPECT_TRUE(frame.frameWindow()->isVisible());
    EXPECT_TRUE(frame.frameWindow()->isMinimized());
}

TEST_F(FrameStartIconized, WithATrayTheFrameWaitsThereUntilDoubleClicked)
{
    userIni(QStringLiteral("User Settings"), QStringLiteral("StartIconized"), QStringLiteral("1"));
    TarvoFrame &frame = openFrame(true);
    ASSERT_NE(m_tray, nullptr);
    EXPECT_TRUE(m_tray->added);
    EXPECT_FALSE(frame.frameWindow()->isVisible());
    m_tray->click(Events::TrayRightClick);
    settle();
    EXPECT_EQ(m_tray->popups, 1);
    EXPECT_TRUE(frame.trayMenu().findChild<QAction *>(QStringLiteral("TRAYRESTORE"))->isEnabled());
    m_tray->click(Events::TrayLeftDoubleClick);
    settle();
    EXPECT_TRUE(frame.frameWindow()->isVisible());
    EXPECT_FALSE(frame.frameWindow()->isMinimized());
}

using FrameWindows = FrameFixture;

QList<QMdiSubWindow *> childrenTitled(TarvoFrame &frame, const QString &title)
{
    QList<QMdiSubWindow *> found;
    for (QMdiSubWindow *child : frame.frameWindow()->mdiArea()->subWindowList())
        if (child->windowTitle() == title)
            found.append(child);
    return found;
}

TEST_F(FrameWindows, ARunOnceWindowStartedTwiceOpensOnceAndComesToTheFront)
{
    TarvoFrame &frame = openFrame();
    ASSERT_EQ(childrenTitled(frame, QStringLiteral("Issues")).size(), 1);
    EXPECT_NE(childrenTitled(frame, QStringLiteral("Issues"))[0]
                  ->findChild<QLabel *>(QStringLiteral("TEXT"))
                  ->text()
                  .indexOf(QStringLiteral("issue browse")),
              -1);
    for (int i = 0; i < 2; ++i) {
        frame.frameWindow()->mdiArea()->setActiveSubWindow(
            childrenTitled(frame, QStringLiteral("Issues"))[0]);
        frame.frameWindow()->action(QStringLiteral("BROWSECUSTOMER"))->trigger();
        settle();
    }
    const QList<QMdiSubWindow *> customers = childrenTitled(frame, QStringLiteral("Customers"));
    ASSERT_EQ(customers.size(), 1);
    EXPECT_EQ(frame.frameWindow()->mdiArea()->activeSubWindow(), customers[0]); // the gain-focus event
}

TEST_F(FrameWindows, RecordButtonsReachTheActiveChildsContext)
{
    TarvoFrame &frame = openFrame();
    QMdiSubWindow *issues = childrenTitled(frame, QStringLiteral("Issues")).value(0);
    ASSERT_NE(issues, nullptr);
    const int browse = FrameGlobals::instance().browseBugsThread();
    QStringList received;
    Context *context = m_registry.context(browse);
    const auto receiver =
        context->addReceiver([&](const PostedEvent &e) { received.append(e.data.toString()); });
    frame.frameWindow()->mdiArea()->setActiveSubWindow(issues);
    m_registry.post(1, Events::Accepted, QStringLiteral("TOOLBAR:DOWN"));
    settle();
    context->removeReceiver(receiver);
    EXPECT_EQ(received, QStringList{QStringLiteral("TOOLBAR:DOWN")});
}

class CountingIssues final : public IssueServices {
  public:
    int browseBugs() override { return ++starts + 40; }
    int starts = 0;
};

TEST_F(FrameWindows, TheIssueBrowseStartsThroughItsServiceWhenThereIsOne)
{
    CountingIssues issues;
    Services::setIssues(&issues);
    TarvoFrame &frame = openFrame();
    EXPECT_EQ(issues.starts, 1);
    EXPECT_EQ(FrameGlobals::instance().browseBugsThread(), 41);
    EXPECT_TRUE(childrenTitled(frame, QStringLiteral("Issues")).isEmpty());
}

// A list that keeps its place in "Tarvo.INI" when it closes, as every window does.
class PlacedWindow final : public tarvo::ui::WindowManager {
  public:
    explicit PlacedWindow(Context &context) : WindowManager(context, QStringLiteral("BrowsePlaced"))
    {
        auto *label = new QLabel(QStringLiteral("placed"));
        setWindow(label);
    }
};

TEST_F(FrameWindows, ResetClosesTheOtherWindowsBeforeDeletingTheIniFile)
{
    TarvoFrame &frame = openFrame();
    const QString ini = m_dir.file(QStringLiteral("Tarvo.INI"));
    ASSERT_TRUE(IniFile(ini).setValue(QStringLiteral("Old"), QStringLiteral("Width"), QStringLiteral("9")));
    ASSERT_TRUE(m_registry.start([](Context &c) { (new PlacedWindow(c))->open(); }));
    settle();

    frame.frameWindow()->action(QString::fromUtf8("VERSCHIEDENESINIDATEILÖSCHEN"))->trigger();
    settle();
    EXPECT_FALSE(QFile::exists(ini)) << "a window closed after the deletion wrote the file again";
    EXPECT_EQ(m_messages.texts(), QStringList{QStringLiteral("INI file \"Tarvo.ini\" deleted!")});
    EXPECT_EQ(toolbarNames().size(), 5); // the toolbars stay
    EXPECT_NE(FrameGlobals::instance().browseBugsThread(), 0);
    EXPECT_EQ(childrenTitled(frame, QStringLiteral("Issues")).size(), 1);
}

TEST_F(FrameWindows, AFailedDeletionSaysSoAndRestartsNothing)
{
    TarvoFrame &frame = openFrame();
    // A folder in place of the file cannot be deleted.
    ASSERT_TRUE(QDir().mkpath(m_dir.file(QStringLiteral("Tarvo.INI"))));
    frame.resetWindowPositions();
    settle();
    EXPECT_EQ(m_messages.texts(),
              QStringList{QStringLiteral("INI file \"Tarvo.ini\" could not be deleted!")});
    EXPECT_TRUE(childrenTitled(frame, QStringLiteral("Issues")).isEmpty());
    QDir(m_dir.file(QStringLiteral("Tarvo.INI"))).removeRecursively();
}

} // namespace
} // namespace tarvo::core::ui::test
