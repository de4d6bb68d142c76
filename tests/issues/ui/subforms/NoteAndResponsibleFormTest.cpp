#include "SubFormFolder.h"
#include "core/lists/UserQueue.h"
#include "issues/ui/subforms/UpdateBugsResponsible.h"
#include "issues/ui/subforms/UpdateNotes.h"
#include "platform/data/FileManager.h"
#include "platform/data/Session.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>

namespace tarvo::issues::test {

namespace {

using issues::ui::SubFormOwner;
using issues::ui::UpdateBugsResponsible;
using issues::ui::UpdateNotes;

using NoteForm = SubFormFolder;

void addStatus(data::FileManager &status, qint64 program, int sort, const char *text)
{
    data::Record r = status.newRecord();
    r.setValue(QStringLiteral("STA:PrgID"), program);
    r.setValue(QStringLiteral("STA:SORT"), sort);
    r.setValue(QStringLiteral("STA:STATUS"), QString::fromLatin1(text));
    ASSERT_TRUE(status.insert(r).ok());
}

TEST_P(NoteForm, SavesAProgramsNoteWithItsStampsAndCancelLeavesNothing)
{
    data::FileManager &status = file(QStringLiteral("Status"));
    addStatus(status, UpdateNotes::NoteStatusProgram, 2, "Waiting");
    addStatus(status, UpdateNotes::NoteStatusProgram, 1, "Open");
    addStatus(status, UpdateNotes::NoteStatusProgram, 1, "Done");
    addStatus(status, 1, 0, "Not a note status");
    const qint64 alpha = folder->programId(QStringLiteral("Alpha"));
    const qint64 before = count(QStringLiteral("Notes"));

    auto cancelled = run<UpdateNotes>(Request::Insert, user, SubFormOwner{0, alpha});
    ASSERT_TRUE(cancelled && cancelled->isOpen());
    cancelled->noteEdit()->setPlainText(QStringLiteral("never kept"));
    ASSERT_TRUE(cancelled->cancel());
    EXPECT_EQ(response, Response::Cancelled);
    EXPECT_EQ(count(QStringLiteral("Notes")), before);
    drain();

    auto form = run<UpdateNotes>(Request::Insert, user, SubFormOwner{0, alpha});
    ASSERT_TRUE(form && form->isOpen());
    QStringList choices;
    for (int i = 0; i < form->statusBox()->count(); ++i)
        choices << form->statusBox()->itemText(i);
    EXPECT_EQ(choices,
              (QStringList{QStringLiteral("Done"), QStringLiteral("Open"), QStringLiteral("Waiting")}));
    EXPECT_EQ(form->headingLabel()->text(), QStringLiteral("Note for \"Alpha\""));
    EXPECT_FALSE(form->changedLine()->isVisibleTo(form->window()));
    form->statusBox()->setEditText(QStringLiteral("Typed status"));
    form->noteEdit()->setPlainText(QStringLiteral("First words"));
    ASSERT_TRUE(form->ok());
    EXPECT_EQ(response, Response::Completed);
    EXPECT_EQ(count(QStringLiteral("Notes")), before + 1);
    EXPECT_EQ(count(QStringLiteral("Notes"), QStringLiteral("\"PrgID\" = %1 AND \"ID\" = 0 AND \"Status\" = "
                                                            "'Typed status' AND \"CREATEDBY\" = 'JDO' AND "
                                                            "\"CreatedDate\" > 0 AND \"CHANGEDBY\" = ''")
                                                 .arg(alpha)),
              1);
    drain();

    // A change that alters nothing keeps the changed stamps empty; an altered note takes them.
    pointAt(QStringLiteral("Notes"), QStringLiteral("Status"), QStringLiteral("Typed status"));
    auto unchanged = run<UpdateNotes>(Request::Change, user, SubFormOwner{});
    ASSERT_TRUE(unchanged && unchanged->isOpen());
    ASSERT_TRUE(unchanged->ok());
    EXPECT_EQ(count(QStringLiteral("Notes"), QStringLiteral("\"CHANGEDBY\" = 'JDO'")), 0);
    drain();
    pointAt(QStringLiteral("Notes"), QStringLiteral("Status"), QStringLiteral("Typed status"));
    auto changed = run<UpdateNotes>(Request::Change, user, SubFormOwner{});
    ASSERT_TRUE(changed && changed->isOpen());
    changed->noteEdit()->setPlainText(QStringLiteral("Second words"));
    ASSERT_TRUE(changed->ok());
    EXPECT_EQ(count(QStringLiteral("Notes"), QStringLiteral("\"CHANGEDBY\" = 'JDO' AND \"CHANGEDDATE\" > 0")),
              1);
}

// The heading of an issue's note names the issue's category; a program's note its program.
struct HeadingCase {
    int category;
    qint64 program; // -1: the folder's program "Beta"
    const char *heading;
};

TEST_P(NoteForm, HeadingNamesTheIssuesCategoryOrTheProgram)
{
    const HeadingCase cases[] = {
        {1, 0, "Note for Bug \"Crash\""},   {3, 0, "Note for Support \"Crash\""},
        {0, 0, "Note for To-Do \"Crash\""}, {4, 0, "Note for To-Do \"Crash\""},
        {0, -1, "Note for \"Beta\""},       {0, 999999, "Note for"},
    };
    data::Record &issue = file(QStringLiteral("Bugs")).buffer();
    issue = file(QStringLiteral("Bugs")).newRecord();
    issue.setValue(QStringLiteral("BUG:Description"), QStringLiteral("Crash   "));
    for (const HeadingCase &c : cases) {
        SCOPED_TRACE(c.heading);
        issue.setValue(QStringLiteral("BUG:Category"), c.category);
        data::Record note = file(QStringLiteral("Notes")).newRecord();
        note.setValue(QStringLiteral("NOTE:ID"), c.program == 0 ? 5 : 0);
        note.setValue(QStringLiteral("NOTE:PrgID"),
                      c.program < 0 ? folder->programId(QStringLiteral("Beta")) : c.program);
        EXPECT_EQ(UpdateNotes::heading(session(), note), QString::fromUtf8(c.heading));
    }
}

TARVO_SUBFORM_SUITE(NoteForm);

using ResponsibleForm = SubFormFolder;

TEST_P(ResponsibleForm, KnownUsersAreSavedUnknownInitialsBlankedAndASecondEntryRefused)
{
    core::UserQueue::global().replace({{QStringLiteral("ANN"), QStringLiteral("Ann Archer"), {}},
                                       {QStringLiteral("BOB"), QStringLiteral("Bob Baker"), {}}});
    access.chosenUser = QStringLiteral("BOBBY");
    auto form = run<UpdateBugsResponsible>(Request::Insert, qint64(42));
    ASSERT_TRUE(form && form->isOpen());
    EXPECT_EQ(form->responsibleBox()->count(), 2);

    form->responsibleBox()->setEditText(QStringLiteral("XYZ"));
    form->acceptResponsible();
    EXPECT_EQ(form->responsibleBox()->currentText(), QString());
    EXPECT_EQ(messages.beeps().size(), 1u);
    form->acceptResponsible();
    EXPECT_EQ(messages.beeps().size(), 1u) << "a blank entry is accepted without a beep";

    form->pickUser();
    EXPECT_EQ(form->responsibleBox()->currentText(), QStringLiteral("BOB"));
    EXPECT_EQ(form->nameDisplay()->text(), QStringLiteral("Bob Baker"));
    form->functionBox()->setEditText(QStringLiteral("Tester"));
    ASSERT_TRUE(form->ok());
    EXPECT_EQ(response, Response::Completed);
    EXPECT_EQ(count(QStringLiteral("BugsResponsible"),
                    QStringLiteral(
                        "\"ID\" = 42 AND \"RESPONSIBLE\" = 'BOB' AND \"RESPONSIBLEFUNCTION\" = 'Tester'")),
              1);
    drain();

    // The same user twice for one issue: the key refuses it and the form stays open.
    auto twice = run<UpdateBugsResponsible>(Request::Insert, qint64(42));
    ASSERT_TRUE(twice && twice->isOpen());
    twice->responsibleBox()->setEditText(QStringLiteral("BOB"));
    twice->acceptResponsible();
    EXPECT_FALSE(twice->ok());
    EXPECT_TRUE(twice->isOpen());
    EXPECT_EQ(count(QStringLiteral("BugsResponsible"), QStringLiteral("\"ID\" = 42")), 1);
    ASSERT_TRUE(twice->cancel());
    core::UserQueue::global().clear();
}

TEST(ResponsibleFunctions, OneChoiceALineAndNoneForAnEmptyList)
{
    EXPECT_EQ(UpdateBugsResponsible::functionChoices(QStringLiteral("Developer\r\nTester\r\nLead")),
              (QStringList{QStringLiteral("Developer"), QStringLiteral("Tester"), QStringLiteral("Lead")}));
    EXPECT_EQ(UpdateBugsResponsible::functionChoices(QString()), QStringList());
}

TARVO_SUBFORM_SUITE(ResponsibleForm);

} // namespace

} // namespace tarvo::issues::test
