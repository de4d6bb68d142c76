#include "masterdata/programs/DependentIssues.h"

#include "core/lists/ReadKeyOrder.h"
#include "platform/data/FileManager.h"
#include "platform/data/RelationManager.h"
#include "platform/data/Session.h"
#include "platform/data/Transaction.h"

#include <vector>

namespace tarvo::masterdata {

namespace {
constexpr int RecordNotFound = 35;
const QString Bugs = QStringLiteral("Bugs");
} // namespace

Result<bool> DependentIssues::releaseExists(qint64 programId, const QString &release)
{
    return exists(QStringLiteral("Releases"), QStringLiteral("REL:KeyPrgIDRelease"),
                  QStringLiteral("Release"), programId, release);
}

Result<bool> DependentIssues::programFileExists(qint64 programId, const QString &file)
{
    return exists(QStringLiteral("Programfiles"), QStringLiteral("PFIL:KeyPrgIDFile"), QStringLiteral("FILE"),
                  programId, file);
}

Result<bool> DependentIssues::exists(const QString &label, const QString &key, const QString &field,
                                     qint64 programId, const QString &value)
{
    data::FileManager *file = m_session.file(label);
    if (!file)
        return makeError(2, QStringLiteral("The file %1 is not declared").arg(label));
    data::Record probe = file->newRecord();
    probe.setValue(QStringLiteral("PRGID"), programId);
    probe.setValue(field, value);
    auto found = file->fetch(key, probe);
    if (found)
        return true;
    if (found.error().code == RecordNotFound)
        return false;
    return found.error();
}

Result<int> DependentIssues::removeIssuesOfRelease(qint64 programId, const QString &release)
{
    return removeIssues(QStringLiteral("BUG:KeyPrgIDVersionID"), programId, release);
}

Result<int> DependentIssues::removeIssuesOfProgramFile(qint64 programId, const QString &file)
{
    return removeIssues(QStringLiteral("BUG:KeyPrgIDProgramfileCategoryID"), programId, file);
}

Result<int> DependentIssues::removeIssues(const QString &key, qint64 programId, const QString &value)
{
    data::RelationManager *relations = m_session.relations(Bugs);
    if (!relations)
        return makeError(2, QStringLiteral("The file %1 is not declared").arg(Bugs));
    auto conn = relations->file().connection();
    if (!conn)
        return conn.error();
    data::Transaction transaction(**conn);
    if (!transaction.started())
        return transaction.started().error();
    // Read first, then deleted: the reading pages through the key that the deletions change.
    std::vector<data::Record> issues;
    if (auto failed = core::readKeyOrder(m_session, Bugs, key, {programId, value},
                                         [&](const data::Record &r) { issues.push_back(r); }))
        return *failed;
    for (data::Record &issue : issues) {
        if (auto removed = relations->remove(issue); !removed)
            return removed.error();
    }
    if (auto committed = transaction.commit(); !committed)
        return committed.error();
    return int(issues.size());
}

} // namespace tarvo::masterdata
