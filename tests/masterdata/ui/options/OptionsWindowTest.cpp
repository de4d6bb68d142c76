#include "masterdata/ui/options/OptionsWindow.h"

#include "core/conversions/TarvoDataFixture.h"
#include "core/frame/FrameGlobals.h"
#include "core/startup/SettingsRecord.h"
#include "platform/data/FileManager.h"
#include "platform/runtime/ContextRegistry.h"
#include "platform/runtime/Events.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPointer>
#include <QPushButton>
#include <QSpinBox>

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

TEST_F(OptionsWindowTest, StatusListInsertsAfterTheSelectionMovesAndDeletesAtOnce)
{
    auto *panel = control<QWidget>("IssueStatusList");
    auto *list = panel->findChild<QListWidget *>("List");
    auto *text = panel->findChild<QLineEdit *>("NewEntry");
    const auto press = [panel](const char *name) { panel->findChild<QPushButton *>(name)->click(); };
    const auto stored = [this]() {
        QStringList out;
        for (const data::Record &r : records("Status", "STA:KeyPrgIDSort"))
            out << QStringLiteral("%1:%2").arg(r.text("STATUS").trimmed()).arg(r.integer("SORT"));
        return out;
    };
    text->setText("New");
    press("Insert");
    // Enter in the entry inserts it and leaves the window open.
    text->setText("Closed");
    text->setFocus();
    QKeyEvent enter(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier);
    QApplication::sendEvent(text, &enter);
    EXPECT_TRUE(window && window->isOpen());
    list->setCurrentRow(0);
    text->setText("Open");
    press("Insert");
    EXPECT_EQ(stored(), QStringList({"New:1", "Open:2", "Closed:3"}));
    EXPECT_EQ(list->currentItem()->text(), "Open");

    press("MoveDown");
    EXPECT_EQ(stored(), QStringList({"New:1", "Closed:2", "Open:3"}));
    EXPECT_EQ(list->currentItem()->text(), "Open");
    press("MoveDown");
    EXPECT_EQ(stored(), QStringList({"New:1", "Closed:2", "Open:3"})) << "the last entry stays last";

    list->setCurrentRow(0);
    press("Delete");
    EXPECT_EQ(stored(), QStringList({"Closed:1", "Open:2"}));

    EXPECT_FALSE(panel->isHidden());
    control<QCheckBox>("WFENABLE")->setChecked(true);
    EXPECT_TRUE(panel->isHidden()) << "the workflow's fixed statuses stand in for the list";
}

} // namespace tarvo::test

namespace tarvo::test {

TEST_F(OptionsWindowTest, TextListRefusesARepeatedEntryAndSaysWhy)
{
    auto *panel = control<QWidget>("ResolutionList");
    auto *list = panel->findChild<QListWidget *>("List");
    auto *text = panel->findChild<QLineEdit *>("NewEntry");
    ASSERT_EQ(panel->findChild<QPushButton *>("MoveUp"), nullptr) << "an alphabetical list has no moves";
    for (const char *resolution : {"Fixed", "Duplicate", "Fixed"}) {
        text->setText(resolution);
        panel->findChild<QPushButton *>("Insert")->click();
    }
    ASSERT_EQ(list->count(), 2);
    EXPECT_EQ(list->item(0)->text(), "Duplicate");
    EXPECT_EQ(list->item(1)->text(), "Fixed");
    EXPECT_EQ(text->text(), "Fixed") << "the refused entry stays to be corrected";
    ASSERT_EQ(m_errors.errors.size(), 1u) << "the duplicate is reported once, by the data layer";
    EXPECT_TRUE(m_messages.texts().isEmpty()) << "and not a second time by the window";
}

} // namespace tarvo::test
