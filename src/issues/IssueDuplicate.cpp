#include "issues/IssueDuplicate.h"

#include "core/lists/ReadKeyOrder.h"
#include "core/services/AccessServices.h"
#include "core/services/Services.h"
#include "platform/data/Connection.h"
#include "platform/data/ErrorCode.h"
#include "platform/data/FileManager.h"
#include "platform/data/Session.h"
#include "platform/data/Transaction.h"
#include "platform/runtime/DayDate.h"

#include <vector>

namespace tarvo::issues {

namespace {

void clearFields(data::Record &issue, const QStringList &fields)
{
    for (const QString &field : fields)
        issue.setValue(field, QVariant());
}

void leaveOut(data::Record &issue, const DuplicateChoices &c)
{
    if (!c.customFields) {
        for (int n = 1; n <= 10; ++n)
            issue.setValue(QStringLiteral("CustomField%1").arg(n), QString());
    }
    if (!c.hardware)
        clearFields(issue, {QStringLiteral("Hardware"), QStringLiteral("OperatingSystem"),
                            QStringLiteral("OperatingSystemServicePack"), QStringLiteral("Network"),
                            QStringLiteral("NetworkType"), QStringLiteral("EnvironmentText")});
    if (!c.stepsToRecreate)
        clearFields(issue, {QStringLiteral("Reproducible"), QStringLiteral("RecreateText")});
    if (!c.workaround)
        clearFields(issue, {QStringLiteral("WorkaroundText")});
    if (!c.stepsToFix)
        clearFields(issue, {QStringLiteral("Resolution"), QStringLiteral("ResolutionText"),
                            QStringLiteral("ReleaseNotes")});
    if (!c.verification)
        clearFields(issue, {QStringLiteral("TestingText"), QStringLiteral("VerifiedText")});
}

Result<std::vector<data::Record>> childrenOf(data::Session &session, const QString &label, const QString &key,
                                             qint32 id)
{
    std::vector<data::Record> rows;
    if (auto failed =
            core::readKeyOrder(session, label, key, {id}, [&](const data::Record &r) { rows.push_back(r); }))
        return *failed;
    return rows;
}

// Adds copies of `rows` with `idField` set to the new issue's number; the copies' own numbers
// come fresh from the file.
Result<void> addCopies(data::FileManager &file, const std::vector<data::Record> &rows, const QString &idField,
                       qint32 newId, std::vector<std::pair<qint64, qint64>> *numbers = nullptr)
{
    const int autoKey = file.layout().autoNumberKey();
    for (const data::Record &row : rows) {
        data::Record copy = row;
        copy.setRowId(0);
        copy.setValue(idField, newId);
        QString numberField;
        if (autoKey >= 0) {
            numberField = file.layout().key(autoKey).components.back().field;
            copy.setValue(numberField, 0);
        }
        if (auto added = file.insert(copy); !added)
            return added;
        if (numbers && !numberField.isEmpty())
            numbers->push_back({row.integer(numberField), copy.integer(numberField)});
    }
    return {};
}

} // namespace

Result<void> duplicateIssue(data::Session &session, data::Record &issue, qint32 sourceId,
                            const DuplicateChoices &choices)
{
    data::FileManager &bugs = *session.file(QStringLiteral("Bugs"));
    data::Record source = bugs.newRecord();
    source.setValue(QStringLiteral("ID"), sourceId);
    if (auto read = bugs.fetch(QStringLiteral("KeyID"), source); !read)
        return read.error().code == data::ErrorCode::RecordNotFound ? Result<void>() : read;

    const QVariant newId = issue.value(QStringLiteral("ID"));
    const qint64 row = issue.rowId();
    issue = source;
    issue.setRowId(row);
    issue.setValue(QStringLiteral("ID"), newId);
    leaveOut(issue, choices);
    const core::AccessServices *access = core::Services::access();
    issue.setValue(QStringLiteral("CreateDate"), DayDate::today());
    issue.setValue(QStringLiteral("CreateTime"), DayDate::clock());
    issue.setValue(QStringLiteral("CreatedBy"), access ? access->initials() : QString());
    clearFields(issue,
                {QStringLiteral("ChangedDate"), QStringLiteral("ChangedTime"), QStringLiteral("ChangedBy")});
    if (!choices.attachments)
        issue.setValue(QStringLiteral("AttachCounter"), 0);

    auto conn = session.connection();
    if (!conn)
        return conn.error();
    data::Transaction transaction(**conn);
    if (!transaction.started())
        return transaction.started();
    const qint32 id = qint32(newId.toLongLong());
    auto responsible =
        childrenOf(session, QStringLiteral("BugsResponsible"), QStringLiteral("KeyIDResponsible"), sourceId);
    if (!responsible)
        return responsible.error();
    if (auto r = addCopies(*session.file(QStringLiteral("BugsResponsible")), *responsible,
                           QStringLiteral("ID"), id);
        !r)
        return r;
    if (choices.attachments) {
        auto attachments = childrenOf(session, QStringLiteral("Attachments"),
                                      QStringLiteral("KeyBugIDDescription"), sourceId);
        if (!attachments)
            return attachments.error();
        std::vector<std::pair<qint64, qint64>> numbers;
        if (auto r = addCopies(*session.file(QStringLiteral("Attachments")), *attachments,
                               QStringLiteral("BUGID"), id, &numbers);
            !r)
            return r;
        // An attachment's bytes are stored under its own number: the copy needs its own.
        data::FileManager &files = *session.file(QStringLiteral("AttachmentFiles"));
        for (const auto &[oldNumber, newNumber] : numbers) {
            data::Record stored = files.newRecord();
            stored.setValue(QStringLiteral("ID"), oldNumber);
            auto read = files.fetch(QStringLiteral("KeyID"), stored);
            if (!read && read.error().code == data::ErrorCode::RecordNotFound)
                continue;
            if (!read)
                return read;
            stored.setRowId(0);
            stored.setValue(QStringLiteral("ID"), newNumber);
            if (auto added = files.insert(stored); !added)
                return added;
        }
    }
    if (choices.notes) {
        auto notes = childrenOf(session, QStringLiteral("Notes"),
                                QStringLiteral("KeyIDCreatedDateCreatedTime"), sourceId);
        if (!notes)
            return notes.error();
        if (auto r = addCopies(*session.file(QStringLiteral("Notes")), *notes, QStringLiteral("ID"), id); !r)
            return r;
    }
    return transaction.commit();
}

} // namespace tarvo::issues
