#include "issues/CopyIssue.h"

#include "core/lists/ReadKeyOrder.h"
#include "platform/data/FileManager.h"
#include "platform/data/Session.h"
#include "platform/data/Transaction.h"

namespace tarvo::issues {

namespace {

// The records of `label` that belong to the issue `oldId` (by `keyName`, whose first component
// is the issue number), read whole before any is added.
Result<std::vector<data::Record>> childrenOf(data::Session &session, const QString &label,
                                             const QString &keyName, qint64 oldId)
{
    std::vector<data::Record> rows;
    if (auto failed = core::readKeyOrder(session, label, keyName, {oldId},
                                         [&](const data::Record &r) { rows.push_back(r); }))
        return *failed;
    return rows;
}

} // namespace

Result<qint64> CopyIssue(data::Session &session, const data::Record &issue)
{
    data::FileManager *bugs = session.file(QStringLiteral("Bugs"));
    data::FileManager *responsible = session.file(QStringLiteral("BugsResponsible"));
    data::FileManager *attachments = session.file(QStringLiteral("Attachments"));
    data::FileManager *contents = session.file(QStringLiteral("AttachmentFiles"));
    if (!bugs || !responsible || !attachments || !contents)
        return makeError(2, QStringLiteral("The issue files are not declared"));
    auto conn = bugs->connection();
    if (!conn)
        return conn.error();
    data::Transaction transaction(**conn);
    if (!transaction.started())
        return transaction.started().error();

    const qint64 oldId = issue.integer(QStringLiteral("ID"));
    data::Record copy = issue;
    copy.setRowId(0);
    copy.setValue(QStringLiteral("ID"), 0);
    if (auto added = bugs->insert(copy); !added)
        return added.error();
    const qint64 newId = copy.integer(QStringLiteral("ID"));

    auto persons =
        childrenOf(session, QStringLiteral("BugsResponsible"), QStringLiteral("BUR:KeyIDResponsible"), oldId);
    if (!persons)
        return persons.error();
    for (data::Record person : *persons) {
        person.setRowId(0);
        person.setValue(QStringLiteral("ID"), newId);
        if (auto added = responsible->insert(person); !added)
            return added.error();
    }

    auto files =
        childrenOf(session, QStringLiteral("Attachments"), QStringLiteral("ATT:KeyBugIDDescription"), oldId);
    if (!files)
        return files.error();
    for (data::Record attachment : *files) {
        const qint64 oldAttachment = attachment.integer(QStringLiteral("ID"));
        attachment.setRowId(0);
        attachment.setValue(QStringLiteral("ID"), 0);
        attachment.setValue(QStringLiteral("BUGID"), newId);
        if (auto added = attachments->insert(attachment); !added)
            return added.error();
        data::Record content = contents->newRecord();
        content.setValue(QStringLiteral("ID"), oldAttachment);
        if (auto found = contents->fetch(QStringLiteral("ATF:KeyID"), content); !found) {
            if (found.error().code == 35)
                continue; // an attachment without stored content has none to copy
            return found.error();
        }
        content.setRowId(0);
        content.setValue(QStringLiteral("ID"), attachment.integer(QStringLiteral("ID")));
        if (auto added = contents->insert(content); !added)
            return added.error();
    }
    if (auto committed = transaction.commit(); !committed)
        return committed.error();
    return newId;
}

} // namespace tarvo::issues
