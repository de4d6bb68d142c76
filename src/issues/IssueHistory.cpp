#include "issues/IssueHistory.h"

#include "core/helpers/AddHistory.h"
#include "issues/DeclaredFile.h"
#include "platform/data/Connection.h"
#include "platform/data/ErrorCode.h"
#include "platform/data/FileManager.h"
#include "platform/data/Session.h"
#include "platform/data/Transaction.h"

namespace tarvo::issues {

IssueHistory::IssueHistory(data::Session &session, core::SettingsValues settings)
    : m_session(session), m_settings(std::move(settings))
{
}

Result<void> IssueHistory::add(const QString &label, const QString &picture, const QString &oldContents,
                               const QString &newContents)
{
    if (m_settings.historyDisabled())
        return {};
    const qint64 row =
        core::AddHistory(m_session, m_settings.record(), label, picture, oldContents, newContents);
    if (row == 0)
        return makeError(0, QStringLiteral("The history entry of %1 could not be written").arg(label));
    m_written.push_back(row);
    return {};
}

Result<void> IssueHistory::takeBack()
{
    if (m_written.empty())
        return {};
    auto history = declaredFile(m_session, QStringLiteral("History"));
    if (!history)
        return history.error();
    auto conn = m_session.connection();
    if (!conn)
        return conn.error();
    data::Transaction transaction(**conn);
    if (!transaction.started())
        return transaction.started();
    for (const qint64 row : m_written) {
        data::Record entry = (*history)->newRecord();
        auto read = (*history)->fetchRow(row, entry);
        if (!read && read.error().code == data::ErrorCode::RecordNotFound)
            continue; // already gone with its issue
        if (!read)
            return read;
        if (auto removed = (*history)->remove(entry); !removed)
            return removed;
    }
    if (auto committed = transaction.commit(); !committed)
        return committed;
    m_written.clear();
    return {};
}

} // namespace tarvo::issues
