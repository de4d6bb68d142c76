#pragma once

#include "platform/ui/UpdateForm.h"

#include <QString>
#include <QVariant>

#include <functional>
#include <utility>
#include <vector>

class QFormLayout;
class QLabel;
class QPushButton;
class QTabWidget;

namespace tarvo::masterdata::ui {

// The base of the forms of one entry of a program (a release, a program file): a "General" tab
// that names the program, OK and Cancel, and the caption of the request. The program is
// the one the caller put into the entry's buffer.
class ProgramEntryForm : public tarvo::ui::UpdateForm {
    Q_OBJECT

  public:
    struct Texts {
        QString addCaption;
        QString changeCaption;
    };

    ProgramEntryForm(Context &context, const QString &procedureName, data::Session &session,
                     const QString &fileLabel, const QString &programField, Texts texts,
                     QObject *parent = nullptr);

    bool open() override;
    qint64 programId() const { return m_programId; }
    // Deletes the issues that name the entry just deleted; the number deleted.
    using RemoveIssues = std::function<Result<int>(const data::Record &deleted)>;
    // After a completed delete the user is asked whether the entry's issues go too.
    void onDeleted(RemoveIssues removeIssues) { m_removeIssues = std::move(removeIssues); }
    // A field the caller set in the buffer that a new entry keeps (priming clears the buffer).
    void keepOnPrime(const QString &field);
    // The entry's rows below the program's name.
    QFormLayout *rows() const { return m_rows; }
    QPushButton *okButton() const { return m_ok; }
    // "Tarvo" with an exclamation: the entry is refused and its control selected.
    void refuse(const QString &text, QWidget *control);

  private:
    void offerIssueDeletion();

    QString m_programField;
    RemoveIssues m_removeIssues;
    std::vector<std::pair<QString, QVariant>> m_kept;
    Texts m_texts;
    qint64 m_programId = 0;
    QTabWidget *m_tabs = nullptr;
    QFormLayout *m_rows = nullptr;
    QLabel *m_programName = nullptr;
    QPushButton *m_ok = nullptr;
};

} // namespace tarvo::masterdata::ui
