#pragma once

#include "issues/ui/subforms/SubFormUser.h"
#include "platform/runtime/Result.h"
#include "platform/ui/UpdateForm.h"

#include <QStringList>

class QComboBox;
class QLabel;
class QPlainTextEdit;
class QPushButton;

namespace tarvo::issues::ui {

// The form of one note on an issue or a program: its status, its text with the user's date and
// time stamp, and who created and last changed it.
class UpdateNotes final : public tarvo::ui::UpdateForm {
    Q_OBJECT
  public:
    // The program number under which the note statuses are kept in file Status.
    static constexpr qint64 NoteStatusProgram = 200000001;

    UpdateNotes(Context &context, data::Session &session, SubFormUser user, SubFormOwner owner,
                QObject *parent = nullptr);

    bool open() override;

    // The note statuses in the order of their sort number, then their text.
    static Result<QStringList> noteStatuses(data::Session &session);
    // "Note for Bug "<description>"" for an issue's note (the caller's Bugs record), "Note for
    // "<program>"" for a program's, plain "Note for" when the program is gone.
    static QString heading(data::Session &session, const data::Record &note);

    QLabel *headingLabel() const { return m_heading; }
    QComboBox *statusBox() const { return m_status; }
    QPlainTextEdit *noteEdit() const { return m_note; }
    QLabel *createdLine() const { return m_created; }
    QLabel *changedLine() const { return m_changed; }
    QPushButton *stampButton() const { return m_stamp; }

  private:
    void build();

    SubFormUser m_user;
    SubFormOwner m_owner;
    QLabel *m_heading = nullptr;
    QComboBox *m_status = nullptr;
    QPlainTextEdit *m_note = nullptr;
    QLabel *m_created = nullptr;
    QLabel *m_changed = nullptr;
    QPushButton *m_stamp = nullptr;
};

} // namespace tarvo::issues::ui
