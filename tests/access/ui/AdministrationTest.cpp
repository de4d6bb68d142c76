#include "../AccessFixture.h"
#include "access/AccessSession.h"
#include "access/DayClock.h"
#include "access/PasswordHash.h"
#include "access/UserAccount.h"
#include "access/Vuvuzu.h"
#include "access/VuvuzuPaths.h"
#include "access/ui/AccessHelp.h"
#include "access/ui/ArchiveFoldersTab.h"
#include "access/ui/BrowseLogins.h"
#include "access/ui/Parameter.h"
#include "access/ui/RightsTree.h"
#include "access/ui/UpdateArchivOrdner.h"
#include "access/ui/UpdateBenutzer.h"
#include "access/ui/VuvuzuAdministration.h"
#include "access/ui/Vuvuzu_BrowseUsers.h"
#include "platform/desktop/Desktop.h"
#include "platform/runtime/IniFile.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSpinBox>
#include <QTabBar>
#include <QTabWidget>
#include <QTableWidget>
#include <QTest>
#include <QTreeWidget>
#include <QUrl>

namespace tarvo::access::test {

namespace {

// A desktop that records what it was handed.
class RecordingDesktop final : public Desktop {
  public:
    bool openUrl(const QUrl &url) override
    {
        urls << url.toString();
        return true;
    }
    bool openFile(const QString &) override { return true; }
    QStringList urls;
};

// The administration windows over a store with the shipped catalogue, the history on, and a user
// "anna" whose password was changed once.
class Administration : public AccessFixture {
  protected:
    void SetUp() override
    {
        AccessFixture::SetUp();
        createStore();
        setOptions([](OptionsRecord &o) { o.noPassword = 3; });
        addUser(QStringLiteral("anna"), QStringLiteral("first1"));
        UserAccount anna = UserAccount::load(*AccessSession::repository(), QStringLiteral("anna")).value();
        anna.setNewPassword(QStringLiteral("annas-secret"));
        ASSERT_TRUE(anna.save(*AccessSession::repository(), AccessSession::state().options).ok());
        Desktop::setInstance(&m_desktop);
    }
    void TearDown() override
    {
        Desktop::setInstance(nullptr);
        setVuvuzu_ProgramSelect({});
        setVuvuzuLookUp_BrowseArchivOrdner({});
        AccessFixture::TearDown();
    }

    // Every text a window shows or holds in its controls.
    static QStringList allTexts(const QWidget *window)
    {
        QStringList texts;
        for (auto *e : window->findChildren<QLineEdit *>())
            texts << e->text() << e->displayText();
        for (auto *l : window->findChildren<QLabel *>())
            texts << l->text();
        for (auto *c : window->findChildren<QComboBox *>())
            texts << c->currentText();
        for (auto *t : window->findChildren<QTableWidget *>())
            for (int r = 0; r < t->rowCount(); ++r)
                for (int c = 0; c < t->columnCount(); ++c)
                    if (auto *item = t->item(r, c))
                        texts << item->text();
        return texts;
    }

    static QTreeWidgetItem *firstLine(QTreeWidget *tree, int level)
    {
        for (QTreeWidgetItemIterator it(tree); *it; ++it)
            if ((*it)->data(0, RightsTree::LevelRole).toInt() == level)
                return *it;
        return nullptr;
    }

    std::set<qint32> grantsOf(const QString &code)
    {
        auto grants = AccessSession::repository()->grants(code);
        return std::set<qint32>(grants->begin(), grants->end());
    }

    RecordingDesktop m_desktop;
};

} // namespace

TEST_F(Administration, NoWindowEverHoldsAStoredPassword)
{
    AccessSession::change([](SessionState &s) { s.masterLogin = true; });
    const UserRecord anna = storedUser(QStringLiteral("anna"));
    const QStringList secrets{QStringLiteral("annas-secret"), QStringLiteral("first1"), anna.passwort,
                              QStringLiteral("$argon2")};

    UpdateBenutzer form(UpdateBenutzer::Change, QStringLiteral("anna"));
    ASSERT_TRUE(form.isReady());
    EXPECT_TRUE(form.passwordField()->text().isEmpty());
    ASSERT_EQ(form.historyList()->rowCount(), 1);
    EXPECT_EQ(form.historyList()->item(0, 0)->text(), QStringLiteral("********"));
    Parameter parameter;
    ASSERT_TRUE(parameter.isReady());
    EXPECT_TRUE(parameter.masterPassword()->text().isEmpty());
    for (const QWidget *window :
         {static_cast<const QWidget *>(&form), static_cast<const QWidget *>(&parameter)})
        for (const QString &text : allTexts(window))
            for (const QString &secret : secrets)
                EXPECT_FALSE(!secret.isEmpty() && text.contains(secret, Qt::CaseInsensitive))
                    << qPrintable(window->objectName()) << " shows " << qPrintable(text);
}

TEST_F(Administration, CancelOnANewUserLeavesNoUserAndNoGrants)
{
    UpdateBenutzer form(UpdateBenutzer::Insert, QString());
    ASSERT_TRUE(form.isReady());
    form.codeField()->setText(QStringLiteral("hm"));
    form.rightsTree()->fill();
    m_messages.answer(Button::Yes);
    form.rightsTree()->grantAll();
    EXPECT_FALSE(form.account().grants().empty());
    form.reject();
    EXPECT_FALSE(AccessSession::repository()->user(QStringLiteral("hm"))->has_value());
    EXPECT_TRUE(grantsOf(QStringLiteral("hm")).empty());
}

TEST_F(Administration, TheRightsTreeTogglesControlsOnlyAndOkSavesThem)
{
    UpdateBenutzer form(UpdateBenutzer::Insert, QString());
    form.codeField()->setText(QStringLiteral("hm"));
    form.passwordField()->setText(QStringLiteral("pw"));
    RightsTree *rights = form.rightsTree();
    rights->fill();
    QTreeWidget *tree = rights->tree();
    tree->setCurrentItem(firstLine(tree, RightsTree::ProcedureLine));
    EXPECT_FALSE(rights->toggleButton()->isEnabled());
    tree->setCurrentItem(firstLine(tree, RightsTree::GroupLine));
    EXPECT_FALSE(rights->toggleButton()->isEnabled());
    QTreeWidgetItem *control = firstLine(tree, RightsTree::ControlLine);
    ASSERT_NE(control, nullptr);
    tree->setCurrentItem(control);
    ASSERT_TRUE(rights->toggleButton()->isEnabled());
    const qint32 id = control->data(0, RightsTree::ResourceRole).toInt();
    rights->toggleButton()->click();
    EXPECT_EQ(control->data(0, Qt::AccessibleDescriptionRole).toString(), QStringLiteral("granted"));
    EXPECT_TRUE(grantsOf(QStringLiteral("hm")).empty()) << "nothing is written before OK";
    form.accept();
    EXPECT_EQ(form.result(), QDialog::Accepted);
    EXPECT_EQ(grantsOf(QStringLiteral("hm")), std::set<qint32>{id});
}

TEST_F(Administration, TheFormRefusesABadCodeAndStaysOpen)
{
    UpdateBenutzer form(UpdateBenutzer::Insert, QString());
    form.codeField()->setText(QStringLiteral("../anna"));
    form.accept();
    EXPECT_NE(form.result(), QDialog::Accepted);
    ASSERT_FALSE(m_messages.texts().isEmpty());
    EXPECT_EQ(
        m_messages.texts().constLast(),
        QStringLiteral("These Initials are not allowed.|Initials may not hold \"/\", \"\\\" or \"..\" and "
                       "must be valid as a file name."));
    EXPECT_EQ(AccessSession::repository()->users()->size(), 1u);
}

TEST_F(Administration, ProgramLimitsComeFromTheHostsPicker)
{
    QString answer = QStringLiteral("Tarvo Desktop\u00B012");
    QList<std::pair<int, QString>> calls;
    setVuvuzu_ProgramSelect([&](int request, const QString &current) {
        calls << std::pair{request, current};
        return answer;
    });
    UpdateBenutzer form(UpdateBenutzer::Change, QStringLiteral("anna"));
    form.findChild<QPushButton *>(QStringLiteral("InsertProgram"))->click();
    ASSERT_EQ(form.programList()->count(), 1);
    EXPECT_EQ(form.programList()->item(0)->text(), QStringLiteral("Tarvo Desktop"));
    answer.clear(); // the user cancelled the picker
    form.findChild<QPushButton *>(QStringLiteral("ChangeProgram"))->click();
    EXPECT_EQ(form.programList()->count(), 1);
    ASSERT_EQ(calls.size(), 2);
    EXPECT_EQ(calls.at(0), (std::pair{1, QString()}));
    EXPECT_EQ(calls.at(1), (std::pair{2, QStringLiteral("Tarvo Desktop\u00B012")}));
    form.accept();
    EXPECT_EQ(*AccessSession::repository()->programLimits(QStringLiteral("anna")),
              std::vector<QString>{QStringLiteral("Tarvo Desktop\u00B012")});
}

TEST_F(Administration, TheUserListShowsCaptionsColoursAndRefusesAMailWithoutAddress)
{
    addUser(QStringLiteral("ben"), QStringLiteral("pw"), [](UserRecord &u) {
        u.inaktiv = 1;
        u.email = QStringLiteral("ben@example.org");
    });
    addUser(QStringLiteral("tim"), QStringLiteral("pw"), [](UserRecord &u) {
        u.typ = 2;
        u.gueltigBis = DayClock::today() - 1;
        u.telefon = QStringLiteral("+4930123");
    });
    ASSERT_TRUE(IniFile(VuvuzuPaths::vuvuzuIni())
                    .setValue(QStringLiteral("Vuvuzu"), QStringLiteral("Insert"), QStringLiteral("&Neu"))
                    .ok());
    VuvuzuAdministration window;
    EXPECT_EQ(window.findChild<QPushButton *>(QStringLiteral("Insert"))->text(), QStringLiteral("&Neu"));
    EXPECT_EQ(window.findChild<QPushButton *>(QStringLiteral("Change"))->text(), QStringLiteral("&Change"));
    ASSERT_EQ(window.list()->rowCount(), 3);
    const auto row = [&](const QString &code) {
        for (int r = 0; r < window.list()->rowCount(); ++r)
            if (window.list()->item(r, 1)->text() == code)
                return r;
        return -1;
    };
    EXPECT_EQ(window.list()->item(row(QStringLiteral("ben")), 1)->foreground().color(),
              QColor(0x80, 0x80, 0xC0));
    EXPECT_FALSE(window.list()->item(row(QStringLiteral("ben")), 0)->icon().isNull());
    EXPECT_FALSE(window.list()->item(row(QStringLiteral("tim")), 0)->icon().isNull());
    EXPECT_NE(window.list()->item(row(QStringLiteral("tim")), 1)->foreground().color(),
              QColor(0x80, 0x80, 0xC0));
    EXPECT_TRUE(window.list()->item(row(QStringLiteral("anna")), 0)->icon().isNull());

    window.selectCode(QStringLiteral("anna"));
    window.mailUser();
    EXPECT_EQ(m_messages.texts(), QStringList{QStringLiteral("No address specified!")});
    window.selectCode(QStringLiteral("ben"));
    window.mailUser();
    EXPECT_EQ(m_desktop.urls, QStringList{QStringLiteral("mailto:ben@example.org")});

    UpdateBenutzer form(UpdateBenutzer::Change, QStringLiteral("tim"));
    form.findChild<QPushButton *>(QStringLiteral("SendMail"))->click();
    form.findChild<QPushButton *>(QStringLiteral("DialPhone"))->click();
    EXPECT_EQ(m_desktop.urls.value(1), QStringLiteral("tel:+4930123"));
    EXPECT_EQ(m_messages.texts().size(), 2) << "tim has no mail address";
}

TEST_F(Administration, TheOptionsFormStampsOnlyAChangeOfTheMasterAccess)
{
    Parameter userForm;
    EXPECT_EQ(userForm.tabs()->count(), 1) << "a user login does not see the master access";
    userForm.number("NOPASSWORD")->setValue(5);
    userForm.accept();
    auto stored = AccessSession::repository()->options()->value();
    EXPECT_EQ(stored.noPassword, 5);
    EXPECT_EQ(stored.masterChangeDate, 0);
    EXPECT_EQ(AccessSession::state().options.noPassword, 5);

    AccessSession::change([](SessionState &s) {
        s.masterLogin = true;
        s.mak = QStringLiteral("wkz");
    });
    Parameter masterForm;
    EXPECT_EQ(masterForm.tabs()->count(), 2);
    masterForm.masterPassword()->setText(QStringLiteral("N3wMaster"));
    masterForm.accept();
    stored = AccessSession::repository()->options()->value();
    EXPECT_TRUE(PasswordHash::verify(stored.masterPassword, QStringLiteral("N3wMaster")));
    EXPECT_EQ(stored.masterChangeDate, DayClock::today());
    EXPECT_EQ(stored.masterChangeMak, QStringLiteral("wkz"));

    Parameter off;
    off.box("DISABLESECCHECK")->setChecked(true);
    EXPECT_FALSE(off.box("AUDITLOGIN")->isEnabled());
    EXPECT_FALSE(off.number("MINPASSWORDLEN")->isEnabled());
}

TEST_F(Administration, TheLoginLogListsNewestFirstAndDeletesForGood)
{
    auto repository = AccessSession::repository();
    const qint32 day = DayClock::today();
    ASSERT_TRUE(repository->addLogin({QStringLiteral("anna"), day, 100001, QStringLiteral("pc1")}).ok());
    ASSERT_TRUE(repository->addLogin({QStringLiteral("anna"), day, 200001, QStringLiteral("pc2")}).ok());
    BrowseLogins window;
    ASSERT_EQ(window.list()->rowCount(), 2);
    EXPECT_EQ(window.list()->item(0, 3)->text(), QStringLiteral("pc2"));
    window.list()->selectRow(0);
    m_messages.answer(Button::Yes);
    window.deleteRow();
    ASSERT_EQ(window.list()->rowCount(), 1);
    EXPECT_EQ(window.list()->item(0, 3)->text(), QStringLiteral("pc1"));
    BrowseLogins again;
    EXPECT_EQ(again.list()->rowCount(), 1);
}

TEST_F(Administration, ArchiveFoldersAreStoredByCategoryForTheProductsThatKeepThem)
{
    AccessSession::change([](SessionState &s) { s.securityFile = QStringLiteral("RF.SEC"); });
    QList<int> asked;
    setVuvuzuLookUp_BrowseArchivOrdner([&](int category) {
        asked << category;
        return QStringLiteral("Akten\u00B07");
    });
    UpdateBenutzer form(UpdateBenutzer::Change, QStringLiteral("anna"));
    ArchiveFoldersTab *archive = form.archiveTab();
    ASSERT_NE(archive, nullptr);
    EXPECT_FALSE(form.tabs()->isTabVisible(1)) << "the tracker's own tab belongs to its own product";
    archive->setEditor([](int request, int category, const QString &row) {
        UpdateArchivOrdner editor(request, category, row);
        editor.lookup();
        editor.accept();
        return editor.result();
    });
    archive->categoryBox()->setCurrentIndex(0); // "Kunde", category 20
    archive->insertRow();
    ASSERT_EQ(archive->list()->count(), 1);
    EXPECT_EQ(archive->list()->item(0)->text(), QStringLiteral("Akten"));
    EXPECT_EQ(asked, QList<int>{20});
    archive->categoryBox()->setCurrentIndex(1); // "Vertrag", category 200
    EXPECT_EQ(archive->list()->count(), 0);
    form.accept();
    EXPECT_EQ(*AccessSession::repository()->programLimits(QStringLiteral("anna")),
              std::vector<QString>{QStringLiteral("020Akten\u00B07")});

    AccessSession::change([](SessionState &s) { s.securityFile = QStringLiteral("Tarvo.sec"); });
    UpdateBenutzer tracker(UpdateBenutzer::Change, QStringLiteral("anna"));
    EXPECT_EQ(tracker.archiveTab(), nullptr);
    EXPECT_TRUE(tracker.tabs()->isTabVisible(1));
}

TEST_F(Administration, TheCustomerRangeTabBelongsToItsProductAndIsSaved)
{
    AccessSession::change([](SessionState &s) { s.securityFile = QStringLiteral("RF.SEC"); });
    UpdateBenutzer form(UpdateBenutzer::Change, QStringLiteral("anna"));
    QStringList visible;
    for (int i = 0; i < form.tabs()->count(); ++i)
        if (form.tabs()->isTabVisible(i))
            visible << form.tabs()->tabText(i);
    EXPECT_EQ(visible, (QStringList{QStringLiteral("General"), QStringLiteral("R-Fintol Daten-Zugriff"),
                                    QStringLiteral("Document archive"), QStringLiteral("User rights"),
                                    QStringLiteral("Passwords")}));
    form.findChild<QSpinBox *>(QStringLiteral("USERLONG1"))->setValue(1200);
    form.findChild<QSpinBox *>(QStringLiteral("USERLONG2"))->setValue(1299);
    form.findChild<QCheckBox *>(QStringLiteral("USERBYTE1:2"))->setChecked(true);
    form.accept();
    ASSERT_EQ(form.result(), QDialog::Accepted);
    const UserRecord anna = storedUser(QStringLiteral("anna"));
    EXPECT_EQ(anna.userLong1, 1200);
    EXPECT_EQ(anna.userLong2, 1299);
    EXPECT_EQ(anna.userByte[0], 1);

    AccessSession::change([](SessionState &s) { s.securityFile = QStringLiteral("Tarvo.sec"); });
    UpdateBenutzer tracker(UpdateBenutzer::Change, QStringLiteral("anna"));
    EXPECT_EQ(tracker.findChild<QSpinBox *>(QStringLiteral("USERLONG1")), nullptr);
    EXPECT_TRUE(tracker.findChild<QCheckBox *>(QStringLiteral("USERBYTE1"))->isChecked());
    tracker.accept();
    EXPECT_EQ(storedUser(QStringLiteral("anna")).userLong1, 1200) << "a product without the tab keeps it";
}

TEST_F(Administration, HelpOpensTheTopicOfTheWindowAndTabInFrontOrSaysWhatIsMissing)
{
    AccessSession::change([](SessionState &s) { s.helpFile = QStringLiteral("Vuvuzu.chm"); });
    const QString folder = programFolder() + QStringLiteral("/help/Vuvuzu/");
    ASSERT_TRUE(QDir().mkpath(folder));
    for (const char *topic : {"Security System Help.htm", "NewTopic4.htm", "NewTopic5.htm", "NewTopic7.htm",
                              "NewTopic8.htm", "NewTopic2.htm"}) {
        QFile page(folder + QLatin1String(topic));
        ASSERT_TRUE(page.open(QIODevice::WriteOnly));
    }
    const auto pressed = [&](QWidget &window) {
        m_desktop.urls.clear();
        window.findChild<QPushButton *>(QStringLiteral("Help"))->click();
        return m_desktop.urls.isEmpty() ? QString() : QUrl(m_desktop.urls.constFirst()).fileName();
    };
    VuvuzuAdministration administration;
    EXPECT_EQ(pressed(administration), QStringLiteral("Security System Help.htm"));
    BrowseLogins logins;
    EXPECT_EQ(pressed(logins), QStringLiteral("NewTopic2.htm"));
    Parameter options;
    EXPECT_EQ(pressed(options), QStringLiteral("NewTopic8.htm"));

    UpdateBenutzer form(UpdateBenutzer::Change, QStringLiteral("anna"));
    const std::pair<int, QString> byTab[] = {{0, QStringLiteral("NewTopic4.htm")},
                                             {1, QStringLiteral("NewTopic5.htm")},
                                             {2, QStringLiteral("NewTopic7.htm")},
                                             {3, QString()}};
    for (const auto &[tab, topic] : byTab) {
        form.tabs()->setCurrentIndex(tab);
        EXPECT_EQ(pressed(form), topic) << qPrintable(form.tabs()->tabText(tab));
    }
    EXPECT_TRUE(m_messages.texts().isEmpty()) << qPrintable(m_messages.texts().join(u'\n'));

    // The window's help key does what the button does; a page that is not there is said.
    QFile::remove(folder + QStringLiteral("NewTopic4.htm"));
    form.tabs()->setCurrentIndex(0);
    QTest::keyClick(form.tabs()->currentWidget(), Qt::Key_F1);
    EXPECT_EQ(m_messages.texts(), QStringList{QStringLiteral("The help page \"") + folder +
                                              QStringLiteral("NewTopic4.htm\" could not be found!")});
    EXPECT_TRUE(m_desktop.urls.isEmpty());

    AccessSession::change([](SessionState &s) { s.helpFile.clear(); });
    EXPECT_FALSE(AccessHelp::show(QStringLiteral("NewTopic2.htm")));
    EXPECT_EQ(m_messages.texts().size(), 2);
}

TEST_F(Administration, TheUserPickerCallsAndMailsTheUserOfTheSelectedRowInEitherOrder)
{
    addUser(QStringLiteral("zed"), QStringLiteral("pw"), [](UserRecord &u) {
        u.name = QStringLiteral("Adler");
        u.telefon = QStringLiteral("+4930111");
        u.email = QStringLiteral("zed@example.org");
    });
    Vuvuzu_BrowseUsers picker(QStringLiteral("ab"));
    const auto rowOf = [&](const QString &code) {
        for (int r = 0; r < picker.list()->rowCount(); ++r)
            if (picker.list()->item(r, 1)->text() == code)
                return r;
        return -1;
    };
    for (int order : {0, 1}) {
        picker.findChild<QTabBar *>()->setCurrentIndex(order);
        m_desktop.urls.clear();
        picker.list()->selectRow(rowOf(QStringLiteral("zed")));
        picker.findChild<QPushButton *>(QStringLiteral("Phone"))->click();
        picker.findChild<QPushButton *>(QStringLiteral("EMail"))->click();
        EXPECT_EQ(m_desktop.urls,
                  (QStringList{QStringLiteral("tel:+4930111"), QStringLiteral("mailto:zed@example.org")}))
            << "order " << order;
    }
    picker.list()->selectRow(rowOf(QStringLiteral("anna")));
    picker.findChild<QPushButton *>(QStringLiteral("EMail"))->click();
    EXPECT_EQ(m_messages.texts(), QStringList{QStringLiteral("No address specified!")});
    EXPECT_EQ(picker.result(), QStringLiteral("ab"));
}

} // namespace tarvo::access::test
