#include "masterdata/programs/ReferenceOrder.h"

#include "core/lists/ReadKeyOrder.h"
#include "platform/data/Connection.h"
#include "platform/data/FileManager.h"
#include "platform/data/RecordLayout.h"
#include "platform/data/Session.h"
#include "platform/data/Transaction.h"

#include <optional>
#include <vector>

namespace tarvo::masterdata {

namespace {
const QString Sort = QStringLiteral("SORT");
const QString PrgId = QStringLiteral("PrgID");
} // namespace

ReferenceOrder::ReferenceOrder(data::Session &session, List list) : m_session(session), m_list(list)
{
    switch (list) {
    case List::Status:
        m_label = QStringLiteral("Status");
        m_key = QStringLiteral("STA:KeyPrgIDSortStatus");
        m_textField = QStringLiteral("STATUS");
        break;
    case List::Severity:
        m_label = QStringLiteral("Severity");
        m_key = QStringLiteral("SEV:KeyPrgIDSortSeverity");
        m_textField = QStringLiteral("SEVERITY");
        break;
    case List::Classification:
        m_label = QStringLiteral("Classification");
        m_key = QStringLiteral("CLA:KeyPrgIDSortClassification");
        m_textField = QStringLiteral("CLASSIFICATION");
        break;
    }
}

Result<ReferenceOrder::Outcome> ReferenceOrder::move(qint64 programId, qint64 sort, int step)
{
    data::FileManager *file = m_session.file(m_label);
    if (!file)
        return makeError(2, QStringLiteral("The file %1 is not declared").arg(m_label));
    auto conn = file->connection();
    if (!conn)
        return conn.error();
    data::Transaction transaction(**conn);
    if (!transaction.started())
        return transaction.started().error();

    // The entry and its nearest neighbour in sort order, so that a gap in older data does not stop
    // the move.
    std::optional<data::Record> entry;
    std::optional<data::Record> neighbour;
    if (auto failed = core::readKeyOrder(m_session, m_label, m_key, {programId}, [&](const data::Record &r) {
            const qint64 s = r.integer(Sort);
            if (s == sort && !entry) {
                entry = r;
                return;
            }
            if (step < 0 ? s >= sort : s <= sort)
                return;
            if (!neighbour || (step < 0 ? s > neighbour->integer(Sort) : s < neighbour->integer(Sort)))
                neighbour = r;
        }))
        return *failed;
    if (!entry)
        return makeError(35,
                         QStringLiteral("The entry %1 of the list %2 was not found").arg(sort).arg(m_label));
    if (!neighbour)
        return Outcome::AtTheEnd;

    const qint64 neighbourSort = neighbour->integer(Sort);
    neighbour->setValue(Sort, sort);
    if (auto written = file->update(*neighbour); !written)
        return written.error();
    entry->setValue(Sort, neighbourSort);
    if (auto written = file->update(*entry); !written)
        return written.error();
    // Two entries of the same text cannot tell their issues apart: those keep their numbers.
    if (m_list == List::Status && neighbour->text(m_textField) != entry->text(m_textField)) {
        if (auto followed = followIssues(programId, neighbour->text(m_textField), neighbourSort, sort);
            !followed)
            return followed.error();
        if (auto followed = followIssues(programId, entry->text(m_textField), sort, neighbourSort); !followed)
            return followed.error();
    }
    if (auto committed = transaction.commit(); !committed)
        return committed.error();
    return Outcome::Moved;
}

// One statement over the program's issues of that status: the issue file may be large.
Result<void> ReferenceOrder::followIssues(qint64 programId, const QString &status, qint64 from, qint64 to)
{
    data::FileManager *bugs = m_session.file(QStringLiteral("Bugs"));
    if (!bugs)
        return makeError(2, QStringLiteral("The file Bugs is not declared"));
    if (auto opened = bugs->open(); !opened)
        return opened;
    auto conn = bugs->connection();
    if (!conn)
        return conn.error();
    const data::RecordLayout &layout = bugs->layout();
    auto column = [&](const char *name) {
        return layout.column(layout.fieldIndex(QString::fromLatin1(name)));
    };
    const QString sql = QStringLiteral("UPDATE %1 SET %2 = ? WHERE %3 = ? AND %4 = ? AND %2 = ?")
                            .arg(data::RecordLayout::quote(layout.table()), column("StatusSort"),
                                 column("PrgID"), column("Status"));
    auto done = (*conn)->exec(sql, {to, programId, status, from});
    if (!done)
        return done.error();
    return {};
}

} // namespace tarvo::masterdata
