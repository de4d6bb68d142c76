#pragma once

#include "platform/data/Record.h"

#include <QGroupBox>
#include <QPointer>

class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;

namespace tarvo::data {
class Session;
}

namespace tarvo::issues::ui {

// The browse's panel of the selected issue ("Internal Information"): its responsible person, time
// estimate, due date, texts and who created and last changed it. Read again only when another
// issue is selected.
class IssueDetailPanel final : public QGroupBox {
    Q_OBJECT
  public:
    IssueDetailPanel(data::Session &session, QWidget *parent = nullptr);

    // Shows the issue of that number; one that cannot be read leaves the panel disabled and empty.
    void showIssue(qint64 id);
    qint64 shownId() const { return m_shown; }
    QString createdText() const;
    QString changedText() const;

    // Who changes the issue in the panel, and whether he may: without the change right the
    // fields stay read-only.
    void setUserCode(const QString &code) { m_userCode = code; }
    void setEditable(bool editable);
    bool isEditable() const { return m_editable; }
    // Writes one field of the shown issue at once ("Responsible", "EstTime", "DueDate", "BugText",
    // "WorkaroundText", "ReleaseNotes"), as accepting its control does.
    void commit(const QString &field, const QVariant &value);

  Q_SIGNALS:
    // The shown issue was written: the list shows it anew.
    void issueChanged(qint64 id);
    // "Send EMail" (?IL), with the place below the button where a choice would open.
    void sendEMailPressed(const QString &responsible, const QPoint &below);
    // "Attachments" (?ATTACH) of the shown issue.
    void attachmentsPressed(qint64 id);

  protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

  private:
    void clear();
    void showStamps(const data::Record &issue);
    void showResponsibleName(const QString &code);

    data::Session &m_session;
    qint64 m_shown = -1;
    QString m_userCode;
    bool m_editable = true;
    QPointer<QLineEdit> m_responsible;
    QPointer<QLabel> m_responsibleName;
    QPointer<QLineEdit> m_estTime;
    QPointer<QLineEdit> m_dueDate;
    QPointer<QPlainTextEdit> m_bugText;
    QPointer<QPlainTextEdit> m_workaround;
    QPointer<QPlainTextEdit> m_releaseNotes;
    QPointer<QPushButton> m_sendEMail;
    QPointer<QPushButton> m_attach;
    QPointer<QLabel> m_created;
    QPointer<QLabel> m_changed;
};

} // namespace tarvo::issues::ui
