#include "masterdata/ui/options/ReferenceForm.h"

#include "core/conversions/TarvoDataFixture.h"
#include "platform/runtime/Context.h"
#include "platform/runtime/Text.h"

#include <QApplication>
#include <QCheckBox>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QSpinBox>

namespace tarvo::test {

using masterdata::ui::ReferenceForm;
using masterdata::ui::ReferenceKind;

class ReferenceFormTest : public TarvoDataFixture {
  protected:
    void TearDown() override
    {
        ReferenceForm::setColorChooser({});
        for (int i = 0; i < 5; ++i) {
            QApplication::processEvents();
            QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        }
    }

    // Opens the form under the request, as a list's button does.
    ReferenceForm *open(ReferenceKind kind, int request, const data::Record &selected = {}, qint64 after = 0,
                        qint32 program = 0)
    {
        m_response = Response::None;
        auto *form = new ReferenceForm(*m_context, session(), kind, program, selected, after);
        m_context->setThreadRequest(request);
        form->openModal(nullptr, [this](int r) { m_response = r; });
        m_form = form;
        return form;
    }

    // Types the text and presses a button of the open form.
    void finish(const char *text, const char *button = "OK")
    {
        ASSERT_TRUE(m_form && m_form->isOpen());
        QWidget *window = m_form->window();
        auto edits = window->findChildren<QLineEdit *>();
        ASSERT_FALSE(edits.isEmpty());
        if (text)
            edits.front()->setText(QString::fromLatin1(text));
        window->findChild<QPushButton *>(QString::fromLatin1(button))->click();
        QApplication::processEvents();
    }

    QStringList listed(const QString &file, const QString &field, qint32 program = -1)
    {
        QStringList out;
        for (const data::Record &r : records(file))
            if (program < 0 || r.integer(QStringLiteral("PrgID")) == program)
                out << QStringLiteral("%1:%2")
                           .arg(r.integer(QStringLiteral("SORT")))
                           .arg(Text::clip(r.text(field)));
        out.sort();
        return out;
    }

    std::shared_ptr<Context> m_context = std::make_shared<Context>(1);
    QPointer<ReferenceForm> m_form;
    int m_response = Response::None;
};

TEST_F(ReferenceFormTest, StatusInsertedAfterTheSelectedOneKeepsTheNumbersDense)
{
    for (int i = 1; i <= 4; ++i)
        add("Status", {{"PrgID", 0}, {"SORT", i}, {"STATUS", QString(QChar('A' + i - 1))}});
    add("Status", {{"PrgID", masterdata::ProgramStatusList}, {"SORT", 1}, {"STATUS", "Live"}});

    ReferenceForm *form = open(ReferenceKind::Status, Request::Insert, {}, 2);
    EXPECT_EQ(form->window()->windowTitle(), "Add Status...");
    finish("New");
    EXPECT_EQ(m_response, Response::Completed) << m_messages.texts().join('|').toStdString();
    EXPECT_EQ(listed("Status", "STATUS", 0), QStringList({"1:A", "2:B", "3:New", "4:C", "5:D"}));
    EXPECT_EQ(listed("Status", "STATUS", masterdata::ProgramStatusList), QStringList({"1:Live"}));

    // Deleting runs without a window, asks first and closes the gap.
    data::Record b;
    for (const data::Record &r : records("Status"))
        if (Text::clip(r.text("STATUS")) == "B")
            b = r;
    for (const int answer : {Button::No, Button::Yes}) {
        m_errors.answers.push_back(answer);
        masterdata::ui::openReferenceForm(*m_context, session(), ReferenceKind::Status, 0, Request::Delete, b,
                                          2, nullptr, [this](int r) { m_response = r; });
        QApplication::processEvents();
        if (answer == Button::No) {
            EXPECT_EQ(m_response, Response::Cancelled);
            EXPECT_EQ(listed("Status", "STATUS", 0).size(), 5)
                << "nothing is deleted unless the user says so";
        }
    }
    EXPECT_EQ(m_response, Response::Completed);
    EXPECT_EQ(listed("Status", "STATUS", 0), QStringList({"1:A", "2:New", "3:C", "4:D"}));
}

TEST_F(ReferenceFormTest, ChangingTheGrayFlagOrColourOfAStatus)
{
    const data::Record entry = add("Status", {{"PrgID", 0}, {"SORT", 1}, {"STATUS", "Open"}});
    add("Bugs", {{"PrgID", 3}, {"Status", "Open"}, {"StatusSort", 1}});
    add("Bugs", {{"PrgID", 3}, {"Status", "open"}, {"StatusSort", 1}});
    ReferenceForm::setColorChooser([](qint64) { return std::optional<qint64>(0x0000FF); });

    ReferenceForm *form = open(ReferenceKind::Status, Request::Change, entry);
    EXPECT_EQ(form->window()->windowTitle(), "Change Status...");
    form->window()->findChild<QCheckBox *>("GRAY")->setChecked(true);
    form->window()->findChild<QPushButton *>("SelectColor")->click();
    finish(nullptr);
    ASSERT_EQ(m_response, Response::Completed) << m_messages.texts().join('|').toStdString();
    EXPECT_EQ(records("Status").front().integer("COLOR"), 0x0000FF);
    QStringList grays;
    for (const data::Record &bug : records("Bugs"))
        grays << QStringLiteral("%1=%2").arg(Text::clip(bug.text("Status"))).arg(bug.integer("Gray"));
    EXPECT_EQ(grays, QStringList({"Open=1", "open=0"})) << "the case of the text counts";
}

TEST_F(ReferenceFormTest, ProgramStatusFormHidesTheGrayBoxAndNoteStatusFormShowsIt)
{
    for (auto [kind, shown] :
         {std::pair{ReferenceKind::ProgramStatus, false}, std::pair{ReferenceKind::NoteStatus, true}}) {
        ReferenceForm *form = open(kind, Request::Insert);
        EXPECT_EQ(form->window()->findChild<QCheckBox *>("GRAY") != nullptr, shown);
        EXPECT_EQ(form->window()->findChild<QWidget *>("ColorNote") != nullptr, shown);
        finish("Done");
        EXPECT_EQ(m_response, Response::Completed);
    }
    EXPECT_EQ(listed("Status", "STATUS", masterdata::ProgramStatusList), QStringList({"1:Done"}));
    EXPECT_EQ(listed("Status", "STATUS", masterdata::NoteStatusList), QStringList({"1:Done"}));
}

struct TextCase {
    ReferenceKind kind;
    const char *file;
    const char *field;
    const char *title;
};

class ReferenceTextForm : public ReferenceFormTest, public testing::WithParamInterface<TextCase> {};

// Insert, a refused repeat that keeps the form open, change and delete of the tables without numbering
// (a priority repeats another by its sort number).
TEST_P(ReferenceTextForm, InsertRepeatChangeDelete)
{
    const TextCase c = GetParam();
    const QString field = QString::fromLatin1(c.field);
    for (const char *text : {"First", "First"}) {
        ReferenceForm *form = open(c.kind, Request::Insert);
        EXPECT_EQ(form->window()->windowTitle(), QString::fromLatin1(c.title));
        finish(text);
    }
    EXPECT_EQ(m_response, Response::None) << "the repeated text is refused and the form stays open";
    EXPECT_EQ(m_errors.errors.size() + size_t(m_messages.texts().size()), 1u) << "the refusal is told once";
    finish(nullptr, "Cancel");
    ASSERT_EQ(records(c.file).size(), 1u);

    open(c.kind, Request::Change, records(c.file).front());
    finish("Second");
    ASSERT_EQ(m_response, Response::Completed);
    ASSERT_EQ(records(c.file).size(), 1u);
    EXPECT_EQ(Text::clip(records(c.file).front().text(field)), "Second");

    m_errors.answers.push_back(Button::Yes);
    masterdata::ui::openReferenceForm(*m_context, session(), c.kind, 0, Request::Delete,
                                      records(c.file).front(), 0, nullptr, [this](int r) { m_response = r; });
    QApplication::processEvents();
    EXPECT_TRUE(records(c.file).empty());
}

INSTANTIATE_TEST_SUITE_P(
    Tables, ReferenceTextForm,
    testing::Values(
        TextCase{ReferenceKind::Resolution, "Resolution", "RESOLUTION", "Add Resolution..."},
        TextCase{ReferenceKind::Reproducible, "Reproducible", "REPRODUCIBLE", "Add Reproducible..."},
        TextCase{ReferenceKind::ContractType, "ContractTypes", "CONTRACTTYPE", "Add Contract Type..."},
        TextCase{ReferenceKind::Priority, "Priority", "PRIORITY", "Add Priority..."}));

} // namespace tarvo::test
