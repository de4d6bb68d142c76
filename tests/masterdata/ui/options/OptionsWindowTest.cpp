#include "masterdata/ui/options/OptionsWindow.h"

#include "core/conversions/TarvoDataFixture.h"
#include "core/frame/FrameGlobals.h"
#include "core/startup/SettingsRecord.h"
#include "listext/ui/BrowseList.h"
#include "listext/ui/BrowseListModel.h"
#include "masterdata/ui/options/ReferenceLists.h"
#include "platform/data/FileManager.h"
#include "platform/runtime/ContextRegistry.h"
#include "platform/runtime/Events.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QSpinBox>
#include <QTabWidget>

namespace tarvo::test {

class OptionsWindowTest : public TarvoDataFixture {
  protected:
    void SetUp() override
    {
        TarvoDataFixture::SetUp();
        stored = add("Parameter", {{"Language", "English"}, {"EMailType", 1}, {"EMailServerPort", 25}});
        core::SettingsRecord::instance().set(stored);
        window = new masterdata::ui::OptionsWindow(registry.openFirst(), session());
        ASSERT_TRUE(window->open());
    }
    void TearDown() override
    {
        if (window)
            window->close();
        QApplication::processEvents();
        core::SettingsRecord::instance().clear();
    }

    template <class T> T *control(const QString &name)
    {
        T *found = window->window()->findChild<T *>(name);
        EXPECT_NE(found, nullptr) << name.toStdString();
        return found;
    }
    // The form that a list's button opened, by its title.
    QWidget *openForm(const QString &title)
    {
        QApplication::processEvents();
        for (QWidget *top : QApplication::topLevelWidgets())
            if (top->isVisible() && top->windowTitle() == title)
                return top;
        return nullptr;
    }
    QString storedText(const QString &field) { return records("Parameter").front().text(field).trimmed(); }

    data::Record stored;
    ContextRegistry registry;
    QPointer<masterdata::ui::OptionsWindow> window;
};

TEST_F(OptionsWindowTest, SmtpWithoutPortWritesNothingAndOkPublishesEverything)
{
    control<QLineEdit>("CUSTOMIZE1")->setText("Ticket:");
    window->window()->findChild<QWidget *>("EMailType")->findChildren<QAbstractButton *>().at(1)->click();
    control<QLineEdit>("EMAILSERVER")->setText("mail.example.com");
    control<QSpinBox>("EMailServerPort")->setValue(0);
    EXPECT_FALSE(window->ok());
    EXPECT_TRUE(window->isOpen());
    EXPECT_TRUE(control<QSpinBox>("EMailServerPort")->isVisible()) << "the port's tab is brought forward";
    EXPECT_EQ(storedText("CUSTOMIZE1"), "");
    EXPECT_EQ(core::SettingsRecord::instance().values().identifierPrompt(), "")
        << "no unconfirmed value is shared";

    // The issue browse runs on a context of its own and hears of the new settings on OK.
    Context &browse = ContextRegistry::instance().openFirst();
    std::vector<int> heard;
    const auto receiver = browse.addReceiver([&heard](const PostedEvent &e) { heard.push_back(e.event); });
    core::FrameGlobals::instance().setBrowseBugsThread(browse.number());

    control<QSpinBox>("EMailServerPort")->setValue(65535);
    EXPECT_EQ(control<QSpinBox>("EMailServerPort")->value(), 65535);
    control<QLineEdit>("EMAILAUTHPASSWORD")->setText("pw-typed-here");
    EXPECT_EQ(control<QLineEdit>("EMAILAUTHPASSWORD")->echoMode(), QLineEdit::Password);
    control<QCheckBox>("StorePassword")->setChecked(false);
    EXPECT_TRUE(window->ok());
    EXPECT_EQ(storedText("CUSTOMIZE1"), "Ticket:");
    EXPECT_EQ(records("Parameter").front().integer("EMailServerPort"), 65535);
    EXPECT_EQ(storedText("EMAILAUTHPASSWORD"), "") << "a password the user does not want kept is not stored";
    EXPECT_EQ(core::SettingsRecord::instance().values().identifierPrompt(), "Ticket:");
    QApplication::processEvents();
    EXPECT_EQ(heard, std::vector<int>{Events::SettingsChanged});
    browse.removeReceiver(receiver);
    core::FrameGlobals::instance().setBrowseBugsThread(0);
}

TEST_F(OptionsWindowTest, CancelSharesAndStoresNothing)
{
    control<QLineEdit>("CUSTOMIZE1")->setText("Ticket:");
    control<QPushButton>("Cancel")->click();
    QApplication::processEvents();
    EXPECT_EQ(storedText("CUSTOMIZE1"), "");
    EXPECT_EQ(core::SettingsRecord::instance().values().identifierPrompt(), "");
}

TEST_F(OptionsWindowTest, CustomFieldControlsFollowTheirTypeAndSwitch)
{
    auto *enabled = control<QCheckBox>("FIELD3ENABLED");
    auto *type = control<QComboBox>("FIELDTYPE3");
    auto *length = control<QSpinBox>("FIELDLEN3");
    auto *prompt = control<QLabel>("LengthPrompt3");
    EXPECT_FALSE(type->isEnabled());
    enabled->setChecked(true);
    EXPECT_TRUE(type->isEnabled());
    EXPECT_FALSE(length->isEnabled()) << "a blank type has no length";
    type->setCurrentText("Memo");
    EXPECT_TRUE(length->isEnabled());
    EXPECT_EQ(prompt->text(), "Lines:");
    EXPECT_EQ(length->maximum(), 25);
    type->setCurrentText("Text");
    EXPECT_EQ(prompt->text(), "Length:");
    EXPECT_EQ(length->maximum(), 255);
    type->setCurrentText("Checkbox");
    EXPECT_FALSE(length->isEnabled());
}

} // namespace tarvo::test

namespace tarvo::test {

TEST_F(OptionsWindowTest, WorkflowStatusesStandInForTheIssueStatusList)
{
    // A status another user added meanwhile shows when the user turns to the issue settings.
    add("Status", {{"PrgID", 0}, {"SORT", 1}, {"STATUS", "Open"}});
    auto &statuses = *window->referenceLists()->list(masterdata::ui::ReferenceLists::IssueStatuses);
    EXPECT_EQ(statuses.model().rowCount(), 0);
    auto *moveUp = control<QPushButton>("MoveUp");
    EXPECT_FALSE(moveUp->isEnabled()) << "an empty list has nothing to move";
    auto *tabs = window->window()->findChild<QTabWidget *>(QString(), Qt::FindDirectChildrenOnly);
    ASSERT_NE(tabs, nullptr);
    for (int i = 0; i < tabs->count(); ++i)
        if (tabs->tabText(i) == "\"Bug\" Settings")
            tabs->setCurrentIndex(i);
    EXPECT_EQ(statuses.model().rowCount(), 1);
    EXPECT_TRUE(moveUp->isEnabled());

    auto *page = control<QWidget>("IssueStatusList");
    EXPECT_FALSE(page->isHidden());
    EXPECT_TRUE(control<QWidget>("WorkflowStatuses")->isHidden());
    control<QCheckBox>("WFENABLE")->setChecked(true);
    EXPECT_TRUE(page->isHidden()) << "the list and its buttons are hidden";
    EXPECT_FALSE(control<QWidget>("WorkflowStatuses")->isHidden());
}

} // namespace tarvo::test

namespace tarvo::test {

TEST_F(OptionsWindowTest, RepeatedEntryIsRefusedOnceAndChangeReadsTheListAgain)
{
    using masterdata::ui::ReferenceLists;
    listext::ui::BrowseList &resolutions = *window->referenceLists()->list(ReferenceLists::Resolutions);
    QWidget *form = nullptr;
    for (const char *resolution : {"Fixed", "Duplicate", "Fixed"}) {
        resolutions.button(Request::Insert)->click();
        form = openForm("Add Resolution...");
        ASSERT_NE(form, nullptr);
        form->findChild<QLineEdit *>("RESOLUTION")->setText(resolution);
        form->findChild<QPushButton *>("OK")->click();
        QApplication::processEvents();
    }
    ASSERT_TRUE(form->isVisible()) << "the refused entry stays in its form to be corrected";
    EXPECT_EQ(m_errors.errors.size() + size_t(m_messages.texts().size()), 1u) << "the refusal is told once";
    form->findChild<QPushButton *>("Cancel")->click();
    QApplication::processEvents();
    ASSERT_EQ(resolutions.model().rowCount(), 2);
    // Each list's buttons follow its own rows.
    EXPECT_TRUE(resolutions.button(Request::Change)->isEnabled());
    EXPECT_FALSE(
        window->referenceLists()->list(ReferenceLists::Priorities)->button(Request::Change)->isEnabled());

    // A double click changes the entry; the list shows the change at once.
    resolutions.goToRow(1);
    Q_EMIT resolutions.rowActivated();
    form = openForm("Change Resolution...");
    ASSERT_NE(form, nullptr);
    EXPECT_EQ(form->findChild<QLineEdit *>("RESOLUTION")->text().trimmed(), "Fixed");
    form->findChild<QLineEdit *>("RESOLUTION")->setText("Won't fix");
    form->findChild<QPushButton *>("OK")->click();
    QApplication::processEvents();
    EXPECT_EQ(resolutions.model().rawValue(1, "RES:RESOLUTION").toString().trimmed(), "Won't fix");
    EXPECT_EQ(resolutions.currentRow(), 1);
}

} // namespace tarvo::test
