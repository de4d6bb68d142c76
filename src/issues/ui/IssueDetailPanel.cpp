#include "issues/ui/IssueDetailPanel.h"

#include "core/lists/UserQueue.h"
#include "core/startup/SettingsRecord.h"
#include "issues/IssueDetailEdit.h"
#include "issues/IssueFormTexts.h"
#include "platform/data/FileManager.h"
#include "platform/data/Session.h"
#include "platform/runtime/Messages.h"
#include "platform/runtime/Picture.h"
#include "platform/runtime/Translator.h"

#include <QEvent>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace tarvo::issues::ui {

namespace {

QString translated(const char *text)
{
    return Translator::instance().translate(QString::fromLatin1(text));
}

} // namespace

IssueDetailPanel::IssueDetailPanel(data::Session &session, QWidget *parent)
    : QGroupBox(translated("Internal Information"), parent), m_session(session)
{
    setObjectName(QStringLiteral("?GROUP1"));
    auto *layout = new QVBoxLayout(this);
    auto *form = new QFormLayout;
    // Each field is written when the user accepts it: a line on Enter or leaving it, a text on
    // leaving it.
    auto line = [this](const char *name, const char *field) {
        auto *edit = new QLineEdit(this);
        edit->setObjectName(QLatin1String(name));
        connect(edit, &QLineEdit::editingFinished, this, [this, edit, field]() {
            if (!edit->isModified())
                return;
            edit->setModified(false);
            const QString f = QLatin1String(field);
            if (f == QLatin1String("DueDate"))
                commit(f, edit->text().trimmed().isEmpty()
                              ? QVariant(0)
                              : Picture::deformat(edit->text().trimmed(), QStringLiteral("@D017B")));
            else
                commit(f, edit->text());
        });
        return edit;
    };
    auto text = [this](const char *name) {
        auto *edit = new QPlainTextEdit(this);
        edit->setObjectName(QLatin1String(name));
        edit->installEventFilter(this);
        return edit;
    };
    m_responsible = line("?BUG:RESPONSIBLE:2", "Responsible");
    m_responsibleName = new QLabel(this);
    m_responsibleName->setObjectName(QStringLiteral("?RESPONSIBLESTR"));
    form->addRow(translated("Responsible:"), m_responsible);
    m_sendEMail = new QPushButton(translated("Send EMail"), this);
    m_sendEMail->setObjectName(QStringLiteral("?IL"));
    connect(m_sendEMail, &QPushButton::clicked, this, [this]() {
        Q_EMIT sendEMailPressed(m_responsible->text().trimmed(),
                                m_sendEMail->mapToGlobal(QPoint(0, m_sendEMail->height())));
    });
    auto *name = new QHBoxLayout;
    name->addWidget(m_responsibleName, 1);
    name->addWidget(m_sendEMail);
    form->addRow(QString(), name);
    m_estTime = line("?BUG:ESTTIME:2", "EstTime");
    form->addRow(translated("Est. Time:"), m_estTime);
    m_dueDate = line("?BUG:DUEDATE:2", "DueDate");
    form->addRow(translated("Date due:"), m_dueDate);
    layout->addLayout(form);
    m_bugText = text("?BUG:BUGTEXT:2");
    m_workaround = text("?BUG:WORKAROUNDTEXT:2");
    m_releaseNotes = text("?BUG:RELEASENOTES:2");
    layout->addWidget(new QLabel(translated("Text:"), this));
    layout->addWidget(m_bugText, 2);
    layout->addWidget(new QLabel(translated("Work around:"), this));
    layout->addWidget(m_workaround, 1);
    layout->addWidget(new QLabel(translated("Release Notes:"), this));
    layout->addWidget(m_releaseNotes, 1);
    m_created = new QLabel(this);
    m_created->setObjectName(QStringLiteral("?CREATED"));
    m_changed = new QLabel(this);
    m_changed->setObjectName(QStringLiteral("?CHANGED"));
    m_attach = new QPushButton(translated("Attachments"), this);
    m_attach->setObjectName(QStringLiteral("?ATTACH"));
    m_attach->setEnabled(false);
    connect(m_attach, &QPushButton::clicked, this, [this]() { Q_EMIT attachmentsPressed(m_shown); });
    auto *stamps = new QHBoxLayout;
    auto *lines = new QVBoxLayout;
    lines->addWidget(m_created);
    lines->addWidget(m_changed);
    stamps->addLayout(lines, 1);
    stamps->addWidget(m_attach, 0, Qt::AlignBottom);
    layout->addLayout(stamps);
}

QString IssueDetailPanel::createdText() const
{
    return m_created->text();
}

QString IssueDetailPanel::changedText() const
{
    return m_changed->text();
}

void IssueDetailPanel::setEditable(bool editable)
{
    m_editable = editable;
    for (QLineEdit *e : {m_responsible.data(), m_estTime.data(), m_dueDate.data()})
        e->setReadOnly(!editable);
    for (QPlainTextEdit *e : {m_bugText.data(), m_workaround.data(), m_releaseNotes.data()})
        e->setReadOnly(!editable);
}

bool IssueDetailPanel::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::FocusOut) {
        const std::pair<QPlainTextEdit *, const char *> texts[] = {
            {m_bugText, "BugText"}, {m_workaround, "WorkaroundText"}, {m_releaseNotes, "ReleaseNotes"}};
        for (const auto &[edit, field] : texts)
            if (edit && watched == edit && edit->document()->isModified()) {
                edit->document()->setModified(false);
                commit(QLatin1String(field), edit->toPlainText());
            }
    }
    return QGroupBox::eventFilter(watched, event);
}

void IssueDetailPanel::commit(const QString &field, const QVariant &value)
{
    if (!m_editable || m_shown <= 0)
        return;
    IssueDetailEdit edit(m_session, core::SettingsRecord::instance().values(), m_userCode);
    auto done = edit.change(m_shown, field, value, core::UserQueue::global().rows());
    if (!done) {
        Messages::show(done.error().message, QStringLiteral("BrowseBugs"), MessageIcon::Exclamation);
        return;
    }
    if (!done->written)
        return;
    if (field == QLatin1String("Responsible")) {
        const QString code = done->issue.text(QStringLiteral("Responsible")).trimmed();
        m_responsible->setText(code);
        showResponsibleName(code);
        if (done->responsibleRefused) {
            Messages::beep(MessageIcon::Exclamation);
            m_responsible->setFocus();
        }
    }
    showStamps(done->issue);
    Q_EMIT issueChanged(m_shown);
}

void IssueDetailPanel::showResponsibleName(const QString &code)
{
    m_responsibleName->clear();
    if (!code.isEmpty())
        for (const core::UserQueueEntry &user : core::UserQueue::global().rows())
            if (user.userMak.trimmed() == code)
                m_responsibleName->setText(user.userName.trimmed());
}

void IssueDetailPanel::showStamps(const data::Record &issue)
{
    m_created->setText(IssueFormTexts::createdLine(issue));
    m_changed->setText(IssueFormTexts::changedLine(issue));
}

void IssueDetailPanel::clear()
{
    for (QLineEdit *e : {m_responsible.data(), m_estTime.data(), m_dueDate.data()})
        e->clear();
    for (QPlainTextEdit *e : {m_bugText.data(), m_workaround.data(), m_releaseNotes.data()})
        e->clear();
    for (QLabel *l : {m_responsibleName.data(), m_created.data(), m_changed.data()})
        l->clear();
}

void IssueDetailPanel::showIssue(qint64 id)
{
    if (id == m_shown)
        return;
    m_shown = id;
    clear();
    data::FileManager *bugs = m_session.file(QStringLiteral("Bugs"));
    data::Record issue = bugs->newRecord();
    issue.setValue(QStringLiteral("ID"), id);
    if (id <= 0 || !bugs->fetch(QStringLiteral("BUG:KeyID"), issue)) {
        setEnabled(false);
        return;
    }
    setEnabled(true);
    // The button opens a choice of the issue's attachments; without any there is nothing to open.
    m_attach->setEnabled(issue.integer(QStringLiteral("AttachCounter")) != 0);
    const QString responsible = issue.text(QStringLiteral("Responsible")).trimmed();
    m_responsible->setText(responsible);
    showResponsibleName(responsible);
    m_estTime->setText(issue.text(QStringLiteral("EstTime")).trimmed());
    if (const QVariant due = issue.value(QStringLiteral("DueDate")); due.toLongLong() != 0)
        m_dueDate->setText(Picture::format(due, QStringLiteral("@D017B")).trimmed());
    m_bugText->setPlainText(issue.text(QStringLiteral("BugText")));
    m_workaround->setPlainText(issue.text(QStringLiteral("WorkaroundText")));
    m_releaseNotes->setPlainText(issue.text(QStringLiteral("ReleaseNotes")));
    showStamps(issue);
    for (QPlainTextEdit *e : {m_bugText.data(), m_workaround.data(), m_releaseNotes.data()})
        e->document()->setModified(false);
}

} // namespace tarvo::issues::ui
