#include "issues/ui/subforms/UpdateNotes.h"

#include "issues/IssueFormTexts.h"
#include "issues/ui/subforms/SubFormTexts.h"
#include "platform/data/ErrorCode.h"
#include "platform/data/FileManager.h"
#include "platform/data/Session.h"
#include "platform/runtime/DayDate.h"
#include "platform/runtime/Text.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>
#include <QWidget>

namespace tarvo::issues::ui {

UpdateNotes::UpdateNotes(Context &context, data::Session &session, SubFormUser user, SubFormOwner owner,
                         QObject *parent)
    : UpdateForm(context, QStringLiteral("UpdateNotes"), session, QStringLiteral("Notes"), parent),
      m_user(std::move(user)), m_owner(owner)
{
    build();
    onPrime([this](data::Record &note) {
        note.setValue(QStringLiteral("NOTE:ID"), m_owner.issueId);
        note.setValue(QStringLiteral("NOTE:PrgID"), m_owner.programId);
        note.setValue(QStringLiteral("NOTE:CreatedDate"), DayDate::today());
        note.setValue(QStringLiteral("NOTE:CreatedTime"), DayDate::clock());
        note.setValue(QStringLiteral("NOTE:CREATEDBY"), m_user.initials());
    });
    onCheck([this](data::Record &note) {
        if (request() == Request::Change && !note.sameValues(snapshot())) {
            note.setValue(QStringLiteral("NOTE:CHANGEDDATE"), DayDate::today());
            note.setValue(QStringLiteral("NOTE:CHANGEDTIME"), DayDate::clock());
            note.setValue(QStringLiteral("NOTE:CHANGEDBY"), m_user.initials());
        }
        return true;
    });
    connect(this, &WindowManager::closed, this, [this](int response) {
        // A delete sends the notice whether the user confirmed it or not.
        if (response == Response::Completed || request() == Request::Delete)
            SubFormTexts::sendRefresh(QStringLiteral("|Notes|"));
    });
}

void UpdateNotes::build()
{
    auto *window = new QWidget;
    window->setObjectName(QStringLiteral("UpdateNotes"));
    auto *layout = new QVBoxLayout(window);
    m_heading = new QLabel(window);
    m_heading->setObjectName(QStringLiteral("Heading"));
    layout->addWidget(m_heading);
    auto *form = new QFormLayout;
    m_status = new QComboBox(window);
    m_status->setObjectName(QStringLiteral("NOTE:Status"));
    m_status->setEditable(true);
    form->addRow(SubFormTexts::translated("Status:"), m_status);
    m_note = new QPlainTextEdit(window);
    m_note->setObjectName(QStringLiteral("NOTE:Note"));
    form->addRow(SubFormTexts::translated("Note:"), m_note);
    layout->addLayout(form, 1);
    m_stamp = new QPushButton(SubFormTexts::translated("Date && Time Stamp"), window);
    m_stamp->setObjectName(QStringLiteral("DateTimeStamp"));
    auto *stampRow = new QHBoxLayout;
    stampRow->addStretch(1);
    stampRow->addWidget(m_stamp);
    layout->addLayout(stampRow);
    m_created = new QLabel(window);
    m_created->setObjectName(QStringLiteral("CreatedLine"));
    m_changed = new QLabel(window);
    m_changed->setObjectName(QStringLiteral("ChangedLine"));
    layout->addWidget(m_created);
    layout->addWidget(m_changed);
    auto *buttons = new QDialogButtonBox(window);
    auto *ok = buttons->addButton(SubFormTexts::translated("&OK"), QDialogButtonBox::AcceptRole);
    ok->setObjectName(QStringLiteral("OK"));
    auto *cancel = buttons->addButton(SubFormTexts::translated("&Cancel"), QDialogButtonBox::RejectRole);
    cancel->setObjectName(QStringLiteral("Cancel"));
    layout->addWidget(buttons);
    window->resize(460, 360);
    setWindow(window);
    field(QStringLiteral("NOTE:Status"), m_status);
    field(QStringLiteral("NOTE:Note"), m_note);
    setButtons(ok, cancel);
    connect(m_stamp, &QPushButton::clicked, this, [this] {
        if (!takeControls())
            return;
        (void)SubFormTexts::stamp(m_note, m_user, 4096);
    });
}

bool UpdateNotes::open()
{
    if (isOpen())
        return true;
    const int request = context().threadRequest();
    window()->setWindowTitle(SubFormTexts::caption(request, "Add Note...", "Change Note..."));
    if (request != Request::Delete) {
        auto statuses = noteStatuses(session());
        m_status->clear();
        if (statuses)
            m_status->addItems(*statuses);
    }
    if (!UpdateForm::open())
        return false;
    if (request == Request::Delete)
        return true;
    const data::Record &note = record();
    m_created->setText(IssueFormTexts::stampLine(
        QStringLiteral("Created by"), note.text(QStringLiteral("NOTE:CREATEDBY")),
        note.integer(QStringLiteral("NOTE:CreatedDate")), note.integer(QStringLiteral("NOTE:CreatedTime"))));
    m_heading->setText(heading(session(), note));
    const bool changed =
        request != Request::Insert && !Text::clip(note.text(QStringLiteral("NOTE:CHANGEDBY"))).isEmpty();
    m_changed->setVisible(changed);
    if (changed)
        m_changed->setText(IssueFormTexts::stampLine(QStringLiteral("Changed by"),
                                                     note.text(QStringLiteral("NOTE:CHANGEDBY")),
                                                     note.integer(QStringLiteral("NOTE:CHANGEDDATE")),
                                                     note.integer(QStringLiteral("NOTE:CHANGEDTIME"))));
    return true;
}

Result<QStringList> UpdateNotes::noteStatuses(data::Session &session)
{
    data::FileManager *status = session.file(QStringLiteral("Status"));
    if (!status)
        return makeError(data::ErrorCode::FileNotOpen, QStringLiteral("The file Status is not declared"));
    const data::RecordLayout &layout = status->layout();
    std::vector<data::Record> rows;
    auto read = status->select(QStringLiteral("SELECT %1 FROM %2 WHERE %3 = ? ORDER BY %4, %5")
                                   .arg(layout.selectList(), data::RecordLayout::quote(layout.table()),
                                        layout.column(layout.fieldIndex(QStringLiteral("STA:PrgID"))),
                                        layout.column(layout.fieldIndex(QStringLiteral("STA:SORT"))),
                                        layout.column(layout.fieldIndex(QStringLiteral("STA:STATUS")))),
                               {NoteStatusProgram}, rows);
    if (!read)
        return read.error();
    QStringList texts;
    for (const data::Record &row : rows)
        texts << Text::clip(row.text(QStringLiteral("STA:Status")));
    return texts;
}

QString UpdateNotes::heading(data::Session &session, const data::Record &note)
{
    const QString noteFor = SubFormTexts::translated("Note for");
    if (note.integer(QStringLiteral("NOTE:ID")) != 0) {
        data::FileManager *bugs = session.file(QStringLiteral("Bugs"));
        const data::Record issue = bugs ? bugs->buffer() : data::Record();
        const qint64 category = issue.isValid() ? issue.integer(QStringLiteral("BUG:Category")) : 0;
        static const char *const words[] = {"To-Do", "Bug", "Feature", "Support"};
        const QString word = QString::fromLatin1(words[category >= 1 && category <= 3 ? category : 0]);
        const QString description =
            issue.isValid() ? Text::clip(issue.text(QStringLiteral("BUG:Description"))) : QString();
        return noteFor + QLatin1Char(' ') + word + QStringLiteral(" \"") + description + QLatin1Char('"');
    }
    data::FileManager *programs = session.file(QStringLiteral("Programs"));
    if (!programs)
        return noteFor;
    data::Record program = programs->newRecord();
    program.setValue(QStringLiteral("PRG:ID"), note.integer(QStringLiteral("NOTE:PrgID")));
    if (!programs->fetch(QStringLiteral("PRG:KeyID"), program))
        return noteFor;
    return noteFor + QStringLiteral(" \"") + Text::clip(program.text(QStringLiteral("PRG:PrgName"))) +
           QLatin1Char('"');
}

} // namespace tarvo::issues::ui
