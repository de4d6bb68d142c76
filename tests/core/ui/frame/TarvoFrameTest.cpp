#include "FrameFixture.h"
#include "core/dictionary/TarvoDictionary.h"
#include "core/frame/FrameGlobals.h"
#include "core/frame/FrameProcedures.h"
#include "core/frame/MenuRights.h"
#include "core/frame/SyncToolbarStates.h"
#include "core/services/IssueStandIn.h"
#include "core/services/MailStandIn.h"
#include "core/services/MasterDataStandIn.h"
#include "core/services/NotAvailable.h"
#include "core/services/Services.h"
#include "core/startup/SettingsRecord.h"
#include "core/ui/WindowOpening.h"
#include "core/ui/frame/FrameDesktop.h"
#include "core/ui/frame/FrameWindow.h"
#include "platform/data/RecordLayout.h"
#include "platform/runtime/Clock.h"
#include "platform/runtime/IniFile.h"
#include "platform/runtime/Translator.h"
#include "platform/ui/WindowManager.h"

#include <QAction>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QMap>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <QScreen>

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

using FramePlace = FrameFixture;

// A first start fills the screen's working area, so that no window inside is cut.
TEST_F(FramePlace, AFirstStartFillsTheScreensWorkingArea)
{
    TarvoFrame &frame = openFrame();
    const QWidget *window = frame.frameWindow();
    ASSERT_TRUE(window->screen());
    const QRect area = window->screen()->availableGeometry();
    EXPECT_TRUE(area.contains(window->frameGeometry()));
    EXPECT_GE(window->frameGeometry().width(), area.width() - 40);
    EXPECT_GE(window->frameGeometry().height(), area.height() - 40);
}

TEST_F(FramePlace, AStoredPlaceWinsOverTheScreen)
{
    IniFile ini(m_dir.file(QStringLiteral("Tarvo.INI")));
    for (const auto &[key, value] : {std::pair{"XPos", 20}, std::pair{"YPos", 30}, std::pair{"Width", 500},
                                     std::pair{"Height", 400}, std::pair{"Maximize", 0}})
        ASSERT_TRUE(ini.setIntValue(QStringLiteral("TARVO"), QLatin1String(key), value).ok());
    TarvoFrame &frame = openFrame();
    EXPECT_EQ(frame.frameWindow()->size(), QSize(500, 400));
    EXPECT_FALSE(frame.frameWindow()->isMaximized());
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

// The services of the subsystems as stand-ins that note each call instead of saying anything.
class NotedMasterData final : public MasterDataStandIn {
  public:
    explicit NotedMasterData(QStringList &calls) : m_calls(calls) {}
    void options() override { m_calls << QStringLiteral("options"); }
    void browseCustomer() override { m_calls << QStringLiteral("browseCustomer"); }
    void browseReleaseNotes() override { m_calls << QStringLiteral("browseReleaseNotes"); }
    void accessAdministration(int context) override
    {
        m_calls << QStringLiteral("accessAdministration %1").arg(context);
    }

  private:
    QStringList &m_calls;
};

class NotedMail final : public MailStandIn {
  public:
    explicit NotedMail(QStringList &calls) : m_calls(calls) {}
    void browseEMailEvents() override { m_calls << QStringLiteral("browseEMailEvents"); }
    void browseEMailTemplates() override { m_calls << QStringLiteral("browseEMailTemplates"); }
    void browseMassEMails() override { m_calls << QStringLiteral("browseMassEMails"); }

  private:
    QStringList &m_calls;
};

struct CommandCase {
    const char *control;
    const char *call; // a service's method, or the core window's procedure with the context it ran on
};

class FrameCommandTable : public FrameFixture, public testing::WithParamInterface<CommandCase> {
  protected:
    void TearDown() override
    {
        FrameFixture::TearDown();
        Services::setMasterData(nullptr);
        Services::setMail(nullptr);
    }
    // Registers the noting services and core windows when built is true; the stand-ins answer otherwise.
    void build(bool built)
    {
        if (!built)
            return;
        Services::setMasterData(&m_master);
        Services::setMail(&m_mail);
        for (const char *procedure :
             {"UserSettings", "Systemroutinen", "Feedback", "Tip_of_the_Day", "Demo_Features", "About"}) {
            const QString name = QString::fromLatin1(procedure);
            FrameProcedures::set(name, [this, name](Context &context) {
                m_calls << QStringLiteral("%1 %2").arg(name).arg(
                    context.number() == 1 ? QStringLiteral("frame") : QStringLiteral("own"));
            });
        }
    }
    void trigger(TarvoFrame &frame)
    {
        frame.frameWindow()->action(QString::fromLatin1(GetParam().control))->trigger();
        settle();
    }

    QStringList m_calls;
    NotedMasterData m_master{m_calls};
    NotedMail m_mail{m_calls};
};

TEST_P(FrameCommandTable, ABuiltFunctionRunsThroughItsService)
{
    build(true);
    TarvoFrame &frame = openFrame();
    trigger(frame);
    EXPECT_EQ(m_calls, QStringList{QString::fromLatin1(GetParam().call)});
    EXPECT_TRUE(m_messages.texts().isEmpty());
}

TEST_P(FrameCommandTable, AFunctionNotBuiltSaysSoInOneMessageAndOpensNothing)
{
    build(false);
    TarvoFrame &frame = openFrame();
    const qsizetype children = frame.frameWindow()->mdiArea()->subWindowList().size();
    trigger(frame);
    EXPECT_EQ(m_messages.texts(), QStringList{NotAvailable::text()});
    EXPECT_EQ(frame.frameWindow()->mdiArea()->subWindowList().size(), children);
}

INSTANTIATE_TEST_SUITE_P(Controls, FrameCommandTable,
                         testing::Values(CommandCase{"BROWSECUSTOMER", "browseCustomer"},
                                         CommandCase{"FILEGENERATERELEASENOTES", "browseReleaseNotes"},
                                         CommandCase{"EXTRAOPTIONS", "options"},
                                         CommandCase{"EXTRASECURITYSYSTEM", "accessAdministration 1"},
                                         CommandCase{"EXTRAEMAILEVENTS", "browseEMailEvents"},
                                         CommandCase{"EXTRAEMAILTEMPLATES", "browseEMailTemplates"},
                                         CommandCase{"FILEMASSEMAILS", "browseMassEMails"},
                                         CommandCase{"EXTRAUSERSETTINGS", "UserSettings own"},
                                         CommandCase{"EXTRASYSTEMROUTINEN", "Systemroutinen frame"},
                                         CommandCase{"HELPSENDFEEDBACK", "Feedback own"},
                                         CommandCase{"HELPTIPOFTHEDAY", "Tip_of_the_Day own"},
                                         CommandCase{"HELPKEYFEATURES", "Demo_Features own"},
                                         CommandCase{"HELPABOUTTARVO", "About frame"}));

TEST_F(FrameWindows, WithoutTheIssueTrackingTheFrameSaysSoInGermanAndStillOpens)
{
    Services::setIssues(nullptr);
    Translator::instance().addTable();
    TarvoFrame &frame = openFrame();
    EXPECT_EQ(m_messages.texts(), QStringList{QString::fromUtf8("Diese Funktion ist noch nicht verfügbar.")});
    EXPECT_TRUE(frame.frameWindow()->isVisible());
    EXPECT_EQ(FrameGlobals::instance().browseBugsThread(), 0);
    EXPECT_TRUE(frame.frameWindow()->mdiArea()->subWindowList().isEmpty());
    Translator::instance() = Translator();
}

struct DocumentCase {
    const char *control;
    const char *file;
};

class FrameDocuments : public FrameFixture, public testing::WithParamInterface<DocumentCase> {
  protected:
    void TearDown() override
    {
        FrameDesktop::setOpener({});
        FrameFixture::TearDown();
    }
};

// The help and the manuals are looked for where the program and the working folder are; a missing
// one must be named, not met with silence.
TEST_P(FrameDocuments, AMissingDocumentIsNamedAndAPresentOneOpens)
{
    QList<QUrl> opened;
    FrameDesktop::setOpener([&opened](const QUrl &url) {
        opened.append(url);
        return true;
    });
    TarvoFrame &frame = openFrame();
    const QString control = QString::fromLatin1(GetParam().control);
    const QString file = QString::fromUtf8(GetParam().file);
    const QString previous = QDir::currentPath();
    QDir::setCurrent(m_dir.path());
    frame.frameWindow()->action(control)->trigger();
    settle();
    EXPECT_TRUE(opened.isEmpty());
    EXPECT_EQ(m_messages.texts(),
              QStringList{QStringLiteral("\"%1\" not found!").arg(QFileInfo(file).fileName())});

    if (!file.startsWith(QLatin1String("help/"))) { // the program's own folder is not the test's to fill
        QFile made(m_dir.file(file));
        ASSERT_TRUE(made.open(QIODevice::WriteOnly));
        made.close();
        frame.frameWindow()->action(control)->trigger();
        settle();
        EXPECT_EQ(opened, QList<QUrl>{QUrl::fromLocalFile(m_dir.file(file))});
    }
    QDir::setCurrent(previous);
}

INSTANTIATE_TEST_SUITE_P(
    Help, FrameDocuments,
    testing::Values(DocumentCase{"HELPCONTENTS", "help/Tarvo.html"},
                    DocumentCase{"HELPDOCUMENTATIONGETTINGSTARTED", "Getting Started.pdf"},
                    DocumentCase{"HELPDOCUMENTATIONADMINISTRATORSGUIDE", "Administrator's Guide.pdf"}));

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

class CountingIssues final : public IssueStandIn {
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

TEST_F(FrameWindows, RecordButtonsAreDisabledWhileNoWindowTakesThem)
{
    TarvoFrame &frame = openFrame();
    QAction *insert = frame.frameWindow()->findChild<QAction *>(QStringLiteral("TOOLBAR:INSERT"));
    QAction *down = frame.frameWindow()->findChild<QAction *>(QStringLiteral("TOOLBAR:DOWN"));
    ASSERT_NE(insert, nullptr);
    ASSERT_NE(down, nullptr);
    // The sample issue browse has not said that it takes them.
    EXPECT_FALSE(insert->isEnabled());
    EXPECT_FALSE(down->isEnabled());

    SyncToolbarStates(m_registry, RecordButtonStates{}); // a list that takes every button
    settle();
    EXPECT_TRUE(insert->isEnabled());
    EXPECT_TRUE(down->isEnabled());

    m_registry.post(FrameGlobals::instance().browseBugsThread(), Events::CloseWindow);
    settle();
    ASSERT_TRUE(frame.frameWindow()->mdiArea()->subWindowList().isEmpty() ||
                frame.frameWindow()->mdiArea()->activeSubWindow() == nullptr);
    EXPECT_FALSE(insert->isEnabled());
    EXPECT_FALSE(down->isEnabled());
}

TEST_F(FrameWindows, AGermanInterfaceShowsTheDateInGerman)
{
    Clock::setSource([] { return QDateTime(QDate(2026, 3, 5), QTime(9, 30)); });
    m_language = QStringLiteral("Deutsch");
    TarvoFrame &frame = openFrame();
    const QString zone = frame.frameWindow()->statusZone(5);
    Clock::setSource({});
    EXPECT_TRUE(zone.startsWith(QStringLiteral("Donnerstag, "))) << zone.toStdString();
    EXPECT_TRUE(zone.contains(QString::fromUtf8("März"))) << zone.toStdString();
}

// Every menu item's text, by the item's object name (the Window menu's by its text, as it has none).
QMap<QString, QString> menuTexts(FrameWindow &window)
{
    if (QMenu *windows = window.findChild<QMenu *>(QStringLiteral("WINDOWMENU")))
        Q_EMIT windows->aboutToShow();
    QMap<QString, QString> texts;
    for (QMenu *menu : window.findChildren<QMenu *>())
        for (QAction *item : menu->actions())
            if (!item->isSeparator())
                texts.insert(item->objectName().isEmpty() ? QStringLiteral("WINDOW:") + item->text()
                                                          : item->objectName(),
                             item->text());
    for (QAction *heading : window.menuBar()->actions())
        texts.insert(heading->objectName(), heading->text());
    return texts;
}

TEST_F(FrameWindows, AGermanFrameLeavesNoEnglishInItsMenusAndTitle)
{
    FrameWindow english;
    const QMap<QString, QString> englishTexts = menuTexts(english);
    Translator::instance().addTable();
    m_language = QStringLiteral("Deutsch");
    // The program translates its windows through the hook every window opens with, in the
    // language of the settings record.
    data::Record settings(data::RecordLayout::make(parameterFile()));
    settings.setValue(QStringLiteral("Language"), m_language);
    SettingsRecord::instance().set(settings);
    WindowOpening::install();
    TarvoFrame &frame = openFrame();
    WindowOpening::uninstall();
    SettingsRecord::instance().clear();
    const QMap<QString, QString> germanTexts = menuTexts(*frame.frameWindow());
    const QString title = frame.frameWindow()->windowTitle();
    Translator::instance() = Translator();

    EXPECT_NE(title, english.windowTitle());
    const QSet<QString> sameInBoth = {QStringLiteral("E&xtra"), QStringLiteral("Systemroutinen"),
                                      QStringLiteral("&Standard"), QStringLiteral("&Navigation")};
    int compared = 0;
    for (auto it = englishTexts.cbegin(); it != englishTexts.cend(); ++it) {
        if (it.key().startsWith(QLatin1String("WINDOW:")))
            continue; // their German texts are other keys; the menu is checked below
        ++compared;
        if (!sameInBoth.contains(it.value())) {
            EXPECT_NE(germanTexts.value(it.key()), it.value())
                << it.key().toStdString() << ": " << it.value().toStdString();
        }
    }
    EXPECT_GT(compared, 30);
    for (auto it = germanTexts.cbegin(); it != germanTexts.cend(); ++it) {
        if (it.key().startsWith(QLatin1String("WINDOW:"))) {
            EXPECT_FALSE(englishTexts.contains(it.key())) << it.key().toStdString();
        }
    }
}

} // namespace
} // namespace tarvo::core::ui::test
