#include "core/lists/UserQueue.h"
#include "core/startup/SettingsRecord.h"
#include "issues/IssueStoreTest.h"
#include "issues/ui/form/UpdateBugs.h"
#include "masterdata/ui/options/OptionsWindow.h"
#include "masterdata/ui/options/SelectFields.h"
#include "platform/runtime/ContextRegistry.h"
#include "platform/ui/FormList.h"
#include "support/ScriptedMessages.h"
#include "support/ShownWindows.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>

#include <memory>

namespace tarvo::test {

// A field rule set up in the Options window as an administrator does, then an issue form opened.
class FieldRulesFromOptionsTest : public IssueStoreTest {
  protected:
    void SetUp() override
    {
        IssueStoreTest::SetUp();
        if (IsSkipped() || HasFatalFailure())
            return;
        core::UserQueue::global().replace({{QStringLiteral("JDO"), QStringLiteral("Jane Doe"), QString()}});
        add(QStringLiteral("Programs"), {{QStringLiteral("PrgName"), QStringLiteral("Tarvo")}});
        for (const auto &[sort, status] : {std::pair{1, "New"}, std::pair{2, "Closed"}})
            add(QStringLiteral("Status"),
                {{QStringLiteral("SORT"), sort}, {QStringLiteral("STATUS"), status}});
        core::SettingsRecord::instance().set(add(QStringLiteral("Parameter"), {{"Language", "English"}}));
        m_options = new masterdata::ui::OptionsWindow(m_registry.openFirst(), session());
        ASSERT_TRUE(m_options->open());
    }
    void TearDown() override
    {
        masterdata::ui::SelectFields::setPicker({});
        if (m_options)
            m_options->close();
        QApplication::processEvents();
        QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        core::SettingsRecord::instance().clear();
        core::UserQueue::global().clear();
        IssueStoreTest::TearDown();
    }

    // The picker answers the next field choice with `field` and a special value with `special`.
    static void answerPicker(const QString &field, const QString &special = QString())
    {
        masterdata::ui::SelectFields::setPicker(
            [field, special](int wrap, int mode) { return mode == 99 && wrap == 1 ? special : field; });
    }
    static void click(QWidget *window, const char *button)
    {
        auto *b = in<QPushButton>(window, QString::fromLatin1(button));
        ASSERT_NE(b, nullptr) << button;
        b->click();
    }

    ScriptedMessages m_messages;
    ContextRegistry m_registry;
    QPointer<masterdata::ui::OptionsWindow> m_options;
};

TEST_P(FieldRulesFromOptionsTest, ARuleSetInTheWindowIsObeyedByTheIssueForm)
{
    auto *rules = m_options->window()->findChild<ui::FormList *>(QStringLiteral("FieldRuleList"));
    ASSERT_NE(rules, nullptr);
    rules->press(Request::Insert);
    QWidget *rule = shownWindow(QStringLiteral("UpdateFieldConfig"));
    ASSERT_NE(rule, nullptr);
    EXPECT_EQ(rule->windowTitle(), QStringLiteral("Add field config..."));
    answerPicker(QStringLiteral("BUG:Status"));
    click(rule, "SelectField");
    EXPECT_TRUE(in<QCheckBox>(rule, "FIE:READONLY")->isEnabled());
    EXPECT_FALSE(in<QPushButton>(rule, "SelectDefault")->isEnabled());
    in<QCheckBox>(rule, "FIE:REQUIRED")->setChecked(true);
    in<QLineEdit>(rule, "FIE:DEFAULT")->setText(QStringLiteral("New"));

    // A condition with one row that fills a value and one that makes a field required.
    in<ui::FormList>(rule, "ConditionList")->press(Request::Insert);
    QWidget *condition = shownWindow(QStringLiteral("UpdateFieldConditions"));
    ASSERT_NE(condition, nullptr);
    in<QLineEdit>(condition, "FIC:CONDITION")->setText(QStringLiteral("Closed"));
    for (const auto &[target, required] :
         {std::pair{"BUG:Resolution", false}, std::pair{"BUG:FixedBy", true}}) {
        in<ui::FormList>(condition, "SetValueList")->press(Request::Insert);
        QWidget *row = shownWindow(QStringLiteral("UpdateFieldSetValue"));
        ASSERT_NE(row, nullptr);
        answerPicker(QString::fromLatin1(target), QStringLiteral("^Date^"));
        click(row, "SelectField");
        if (required)
            in<QCheckBox>(row, "FIS:REQUIRED")->click();
        else
            in<QLineEdit>(row, "FIS:VALUE")->setText(QStringLiteral("Fixed"));
        click(row, "OK");
        ASSERT_EQ(shownWindow(QStringLiteral("UpdateFieldSetValue")), nullptr);
    }
    EXPECT_EQ(in<ui::FormList>(condition, "SetValueList")->rowCount(), 2);
    click(condition, "OK");
    click(rule, "OK");
    ASSERT_EQ(shownWindow(QStringLiteral("UpdateFieldConfig")), nullptr);
    EXPECT_EQ(rules->cells(0), (QStringList{"BUG:Status", QStringLiteral("\u2713"), QString(), "New"}));

    auto context = std::make_shared<Context>(session().context());
    context->setThreadRequest(Request::Insert);
    issues::NewIssueValues values;
    values.prgId = 1;
    values.category = 1;
    issues::ui::UpdateBugs form(*context, session(), settings(), values);
    form.setDeleteOnClose(false);
    ASSERT_TRUE(form.open());
    EXPECT_EQ(form.record().text(QStringLiteral("BUG:Status")).trimmed(), QStringLiteral("New"));
    auto *status = qobject_cast<QComboBox *>(form.fieldNamed(QStringLiteral("BUG:Status"))->control());
    ASSERT_NE(status, nullptr);
    EXPECT_FALSE(status->styleSheet().isEmpty()) << "the required mark shows";
    const int closed = status->findText(QStringLiteral("Closed"));
    ASSERT_GE(closed, 0);
    status->setCurrentIndex(closed);
    Q_EMIT status->activated(closed);
    EXPECT_EQ(form.record().text(QStringLiteral("BUG:Resolution")).trimmed(), QStringLiteral("Fixed"));
    EXPECT_FALSE(form.fieldNamed(QStringLiteral("BUG:FixedBy"))->control()->styleSheet().isEmpty())
        << "the condition made the fixer required";
    form.window()->findChild<QPushButton *>(QStringLiteral("?Cancel"))->click();
}

TARVO_REAL_STORE_SUITE(FieldRulesFromOptionsTest);

} // namespace tarvo::test
