#include "issues/ui/IssueDetailPanel.h"

#include "core/lists/UserQueue.h"
#include "platform/data/FileManager.h"
#include "platform/data/Session.h"
#include "platform/runtime/Picture.h"
#include "platform/runtime/Translator.h"

#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QVBoxLayout>

namespace tarvo::issues::ui {

namespace {

QString translated(const char *text)
{
    return Translator::instance().translate(QString::fromLatin1(text));
}

// "Created by AB at 12/24/2024 - 10:15" from the user, day and clock of a record.
QString stamp(const char *caption, const QString &user, const QVariant &date, const QVariant &time)
{
    if (date.toLongLong() == 0)
        return {};
    return translated(caption) + QLatin1Char(' ') + user.trimmed() + QLatin1Char(' ') + translated("at") +
           QLatin1Char(' ') + Picture::format(date, QStringLiteral("@D017B")).trimmed() +
           QStringLiteral(" - ") + Picture::format(time, QStringLiteral("@T08B")).trimmed();
}

} // namespace

IssueDetailPanel::IssueDetailPanel(data::Session &session, QWidget *parent)
    : QGroupBox(translated("Internal Information"), parent), m_session(session)
{
    setObjectName(QStringLiteral("?GROUP1"));
    auto *layout = new QVBoxLayout(this);
    auto *form = new QFormLayout;
    auto line = [this](const char *name) {
        auto *edit = new QLineEdit(this);
        edit->setObjectName(QLatin1String(name));
        edit->setReadOnly(true);
        return edit;
    };
    auto text = [this](const char *name) {
        auto *edit = new QPlainTextEdit(this);
        edit->setObjectName(QLatin1String(name));
        edit->setReadOnly(true);
        return edit;
    };
    m_responsible = line("?BUG:RESPONSIBLE:2");
    m_responsibleName = new QLabel(this);
    m_responsibleName->setObjectName(QStringLiteral("?RESPONSIBLESTR"));
    form->addRow(translated("Responsible:"), m_responsible);
    form->addRow(QString(), m_responsibleName);
    m_estTime = line("?BUG:ESTTIME:2");
    form->addRow(translated("Est. Time:"), m_estTime);
    m_dueDate = line("?BUG:DUEDATE:2");
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
    layout->addWidget(m_created);
    layout->addWidget(m_changed);
}

QString IssueDetailPanel::createdText() const
{
    return m_created->text();
}

QString IssueDetailPanel::changedText() const
{
    return m_changed->text();
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
    const QString responsible = issue.text(QStringLiteral("Responsible")).trimmed();
    m_responsible->setText(responsible);
    if (!responsible.isEmpty())
        for (const core::UserQueueEntry &user : core::UserQueue::global().rows())
            if (user.userMak.trimmed() == responsible)
                m_responsibleName->setText(user.userName.trimmed());
    m_estTime->setText(issue.text(QStringLiteral("EstTime")).trimmed());
    if (const QVariant due = issue.value(QStringLiteral("DueDate")); due.toLongLong() != 0)
        m_dueDate->setText(Picture::format(due, QStringLiteral("@D017B")).trimmed());
    m_bugText->setPlainText(issue.text(QStringLiteral("BugText")));
    m_workaround->setPlainText(issue.text(QStringLiteral("WorkaroundText")));
    m_releaseNotes->setPlainText(issue.text(QStringLiteral("ReleaseNotes")));
    m_created->setText(stamp("Created by", issue.text(QStringLiteral("CreatedBy")),
                             issue.value(QStringLiteral("CreateDate")),
                             issue.value(QStringLiteral("CreateTime"))));
    m_changed->setText(stamp("Changed by", issue.text(QStringLiteral("ChangedBy")),
                             issue.value(QStringLiteral("ChangedDate")),
                             issue.value(QStringLiteral("ChangedTime"))));
}

} // namespace tarvo::issues::ui
