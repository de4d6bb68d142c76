#include "core/conversions/TarvoDataFixture.h"
#include "core/startup/SettingsRecord.h"
#include "masterdata/ui/options/OptionsChoices.h"
#include "masterdata/ui/options/OptionsWindow.h"
#include "masterdata/ui/options/SelectFields.h"
#include "platform/data/ErrorClassReporter.h"
#include "platform/runtime/ContextRegistry.h"
#include "platform/runtime/ErrorClass.h"
#include "platform/ui/FormList.h"
#include "support/ShownWindows.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPointer>
#include <QPushButton>
#include <QTreeWidget>

namespace tarvo::test {

// The Options window's field rules and custom-field choices, driven as an administrator does.
class FieldRuleFormsTest : public TarvoDataFixture {
  protected:
    void SetUp() override
    {
        TarvoDataFixture::SetUp();
        // File errors and the delete question reach the user as the program shows them.
        errorClass.init(QStringLiteral("English"));
        session().setReporter(&reporter);
        core::SettingsRecord::instance().set(add("Parameter", {{"Language", "English"}, {"EMailType", 1}}));
        window = new masterdata::ui::OptionsWindow(registry.openFirst(), session());
        ASSERT_TRUE(window->open());
        rules = window->window()->findChild<ui::FormList *>(QStringLiteral("FieldRuleList"));
        ASSERT_NE(rules, nullptr);
    }
    void TearDown() override
    {
        masterdata::ui::SelectFields::setPicker({});
        if (window)
            window->close();
        QApplication::processEvents();
        QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        core::SettingsRecord::instance().clear();
    }

    // The picker's next answers: `field` for a field, `special` for a special value.
    static void answerPicker(const QString &field, const QString &special = QString())
    {
        masterdata::ui::SelectFields::setPicker(
            [field, special](int wrap, int mode) { return wrap == 1 && mode == 99 ? special : field; });
    }
    // A new rule for `field` with one condition "X" holding one row, stored through the forms.
    void storeRule(const QString &field)
    {
        rules->press(Request::Insert);
        QWidget *rule = shownWindow("UpdateFieldConfig");
        answerPicker(field);
        in<QPushButton>(rule, "SelectField")->click();
        in<ui::FormList>(rule, "ConditionList")->press(Request::Insert);
        QWidget *condition = shownWindow("UpdateFieldConditions");
        in<QLineEdit>(condition, "FIC:CONDITION")->setText("X");
        in<ui::FormList>(condition, "SetValueList")->press(Request::Insert);
        QWidget *row = shownWindow("UpdateFieldSetValue");
        answerPicker("BUG:Resolution");
        in<QPushButton>(row, "SelectField")->click();
        in<QPushButton>(row, "OK")->click();
        in<QPushButton>(condition, "OK")->click();
        in<QPushButton>(rule, "OK")->click();
    }
    qint64 rows(const QString &label) { return qint64(records(label).size()); }

    ErrorClass errorClass;
    data::ErrorClassReporter reporter{errorClass};
    ContextRegistry registry;
    QPointer<masterdata::ui::OptionsWindow> window;
    ui::FormList *rules = nullptr;
};

// The options a row offers follow the target chosen in that row; "Required" stands for the value.
TEST_F(FieldRuleFormsTest, RowOptionsFollowItsTargetAndRequiredReplacesTheValue)
{
    answerPicker("BUG:Status");
    rules->press(Request::Insert);
    QWidget *rule = shownWindow("UpdateFieldConfig");
    ASSERT_NE(rule, nullptr);
    in<QPushButton>(rule, "SelectField")->click();
    in<ui::FormList>(rule, "ConditionList")->press(Request::Insert);
    QWidget *condition = shownWindow("UpdateFieldConditions");
    ASSERT_NE(condition, nullptr);
    EXPECT_EQ(in<QLabel>(condition, "FieldHeader")->text(), "BUG:Status equals to...");
    in<ui::FormList>(condition, "SetValueList")->press(Request::Insert);
    QWidget *row = shownWindow("UpdateFieldSetValue");
    ASSERT_NE(row, nullptr);
    struct Case {
        const char *target;
        bool force;
        bool pick;
    };
    for (const Case c : {Case{"BUG:Responsible", false, true}, Case{"BUG:Priority", true, false},
                         Case{"BUG:Description", false, false}}) {
        answerPicker(c.target, "^Date^");
        in<QPushButton>(row, "SelectField")->click();
        EXPECT_EQ(in<QCheckBox>(row, "FIS:READONLY")->isEnabled(), c.force) << c.target;
        EXPECT_EQ(in<QPushButton>(row, "SelectValue")->isEnabled(), c.pick) << c.target;
    }
    answerPicker("BUG:Responsible", "^Date^");
    in<QPushButton>(row, "SelectField")->click();
    in<QLineEdit>(row, "FIS:VALUE")->setText("typed");
    in<QPushButton>(row, "SelectValue")->click();
    EXPECT_EQ(in<QLineEdit>(row, "FIS:VALUE")->text(), "^Date^")
        << "the special value replaces the whole value";
    answerPicker("BUG:Responsible", "");
    in<QPushButton>(row, "SelectValue")->click();
    EXPECT_EQ(in<QLineEdit>(row, "FIS:VALUE")->text(), "") << "the picker closed without a choice empties it";
    in<QCheckBox>(row, "FIS:REQUIRED")->click();
    EXPECT_TRUE(in<QLineEdit>(row, "FIS:VALUE")->isHidden());
    in<QCheckBox>(row, "FIS:REQUIRED")->click();
    EXPECT_FALSE(in<QLineEdit>(row, "FIS:VALUE")->isHidden());
    EXPECT_EQ(in<QLineEdit>(row, "FIS:VALUE")->text(), "") << "clearing Required empties the value";
    in<QCheckBox>(row, "FIS:REQUIRED")->click();
    in<QPushButton>(row, "OK")->click();
    const data::Record stored = records("FieldSetValue").front();
    EXPECT_EQ(stored.text("VALUE").trimmed(), "Required");
    EXPECT_EQ(stored.integer("ID"), records("FieldConditions").front().integer("ID"))
        << "the row belongs to the condition being added";

    // Leaving the new rule with Cancel leaves none of what was added under it.
    in<QPushButton>(condition, "OK")->click();
    in<QPushButton>(rule, "Cancel")->click();
    EXPECT_EQ(rows("FieldConfig"), 0);
    EXPECT_EQ(rows("FieldConditions"), 0);
    EXPECT_EQ(rows("FieldSetValue"), 0);
}

TEST_F(FieldRuleFormsTest, ARuleNeedsAFieldKeepsItAndTakesItsConditionsAlongWhenDeleted)
{
    rules->press(Request::Insert);
    QWidget *rule = shownWindow("UpdateFieldConfig");
    ASSERT_NE(rule, nullptr);
    EXPECT_FALSE(in<QCheckBox>(rule, "FIE:READONLY")->isEnabled());
    in<ui::FormList>(rule, "ConditionList")->press(Request::Insert);
    EXPECT_EQ(shownWindow("UpdateFieldConditions"), nullptr) << "no condition without a field";
    in<QPushButton>(rule, "OK")->click();
    EXPECT_EQ(shownWindow("UpdateFieldConfig"), rule) << "a rule without a field stays open";
    EXPECT_EQ(m_messages.beeps().size(), 2u);
    in<QPushButton>(rule, "Cancel")->click();

    storeRule("BUG:Status");
    storeRule("BUG:Priority");
    ASSERT_EQ(rules->rowCount(), 2);
    EXPECT_EQ(rows("FieldSetValue"), 2);
    rules->press(Request::Insert);
    rule = shownWindow("UpdateFieldConfig");
    answerPicker("BUG:Status");
    in<QPushButton>(rule, "SelectField")->click();
    EXPECT_EQ(in<ui::FormList>(rule, "ConditionList")->rowCount(), 1);
    in<QPushButton>(rule, "OK")->click();
    EXPECT_EQ(shownWindow("UpdateFieldConfig"), rule) << "a second rule for a field is refused";
    EXPECT_EQ(m_messages.texts().size(), 1) << "and the refusal is said";
    in<QPushButton>(rule, "Cancel")->click();
    EXPECT_EQ(rows("FieldConditions"), 2) << "the stored rule keeps its condition";

    rules->view()->setCurrentItem(rules->view()->topLevelItem(1));
    ASSERT_EQ(rules->cells(1).front(), "BUG:Status");
    rules->press(Request::Change);
    rule = shownWindow("UpdateFieldConfig");
    ASSERT_NE(rule, nullptr);
    EXPECT_EQ(rule->windowTitle(), "Change field config...");
    EXPECT_FALSE(in<QPushButton>(rule, "SelectField")->isEnabled());
    EXPECT_EQ(in<QLabel>(rule, "ConditionHeader")->text(), "BUG:Status equals to...");
    in<QPushButton>(rule, "Cancel")->click();

    m_messages.answer(Button::Yes);
    rules->press(Request::Delete);
    QApplication::processEvents();
    EXPECT_EQ(rules->rowCount(), 1);
    EXPECT_EQ(rows("FieldConditions"), 1);
    EXPECT_EQ(rows("FieldSetValue"), 1);
    EXPECT_EQ(records("FieldConditions").front().text("FIELD").trimmed(), "BUG:Priority");
}

TEST_F(FieldRuleFormsTest, ChoicesAreKeptInTheWindowUntilItsOk)
{
    auto *type = in<QComboBox>(window->window(), "FIELDTYPE1");
    auto *choices = in<QPushButton>(window->window(), "FieldChoices1");
    EXPECT_FALSE(choices->isEnabled()) << "the field is not enabled";
    in<QCheckBox>(window->window(), "FIELD1ENABLED")->setChecked(true);
    EXPECT_FALSE(choices->isEnabled()) << "a blank type has no choices";
    type->setCurrentText("Drop list");
    ASSERT_TRUE(choices->isEnabled());

    choices->click();
    QWidget *dialog = shownWindow("Options_Choices");
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(dialog->windowTitle(), "Choices");
    in<QPlainTextEdit>(dialog, "FIELDCHOICES")->setPlainText("Basic\nPremium");
    in<QPushButton>(dialog, "Cancel")->click();
    choices->click();
    dialog = shownWindow("Options_Choices");
    auto *text = in<QPlainTextEdit>(dialog, "FIELDCHOICES");
    EXPECT_EQ(text->toPlainText(), "") << "Cancel kept nothing";
    text->setPlainText("Basic\nPremium");
    // Fits as typed, but not once its line break is stored as two characters.
    text->setPlainText(QString(masterdata::ui::OptionsChoices::MaxLength - 2, QLatin1Char('x')) + "\ny");
    EXPECT_EQ(text->toPlainText(), "Basic\nPremium") << "a list that does not fit is not taken";
    in<QPushButton>(dialog, "OK")->click();
    EXPECT_EQ(records("Parameter").front().text("FIELDCHOICES1"), "")
        << "nothing stored before the window's OK";

    type->setCurrentText("Text");
    EXPECT_FALSE(choices->isEnabled());
    ASSERT_TRUE(window->ok());
    EXPECT_EQ(records("Parameter").front().text("FIELDCHOICES1"), "Basic\r\nPremium")
        << "switching to Text keeps the stored choices";
}

} // namespace tarvo::test
