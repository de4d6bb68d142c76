#include "masterdata/programs/ProgramDeletion.h"

#include "core/lists/ReadKeyOrder.h"
#include "core/lists/TreeMoves.h"
#include "platform/data/FileManager.h"
#include "platform/data/RelationManager.h"
#include "platform/data/Session.h"
#include "platform/data/Transaction.h"

#include <QSet>

#include <vector>

namespace tarvo::masterdata {

namespace {

const QString Programs = QStringLiteral("Programs");

core::TreeMoves programMoves(data::Session &session)
{
    return core::TreeMoves(session, Programs, QStringLiteral("PRG"));
}

// The children of a program in their order; an error when they could not be read.
Result<std::vector<data::Record>> children(data::Session &session, qint64 programId)
{
    std::vector<data::Record> rows;
    if (auto failed = core::readKeyOrder(session, Programs, QStringLiteral("PRG:KeyPSort"), {programId},
                                         [&](const data::Record &r) { rows.push_back(r); }))
        return *failed;
    return rows;
}

} // namespace

Result<bool> ProgramDeletion::hasSubPrograms(qint64 programId)
{
    auto below = children(m_session, programId);
    if (!below)
        return below.error();
    return !below->empty();
}

Result<void> ProgramDeletion::remove(qint64 programId, SubPrograms subPrograms)
{
    data::FileManager *file = m_session.file(Programs);
    data::RelationManager *relations = m_session.relations(Programs);
    if (!file || !relations)
        return makeError(2, QStringLiteral("The file %1 is not declared").arg(Programs));
    auto conn = file->connection();
    if (!conn)
        return conn.error();
    data::Transaction transaction(**conn);
    if (!transaction.started())
        return transaction.started().error();

    data::Record program = file->newRecord();
    program.setValue(QStringLiteral("ID"), programId);
    if (auto found = file->fetch(QStringLiteral("PRG:KeyID"), program); !found)
        return found.error();
    const qint64 parent = program.integer(QStringLiteral("P"));
    const qint64 sort = program.integer(QStringLiteral("Sort"));

    if (subPrograms == SubPrograms::Delete) {
        QSet<qint64> seen{programId};
        if (auto removed = removeBelow(programId, seen); !removed)
            return removed;
    } else {
        auto below = children(m_session, programId);
        if (!below)
            return below.error();
        for (const data::Record &child : *below) {
            auto moved = programMoves(m_session).reparent(child.integer(QStringLiteral("ID")), parent);
            if (!moved)
                return moved.error();
        }
    }
    if (auto removed = relations->remove(program); !removed)
        return removed;
    if (auto closed = programMoves(m_session).closeGap(parent, sort); !closed)
        return closed;
    return transaction.commit();
}

// Depth first, the deepest first, each through the relation rules (releases, files, issues ...).
Result<void> ProgramDeletion::removeBelow(qint64 programId, QSet<qint64> &seen)
{
    auto below = children(m_session, programId);
    if (!below)
        return below.error();
    std::vector<data::Record> rows = std::move(below).value();
    for (data::Record &child : rows) {
        const qint64 id = child.integer(QStringLiteral("ID"));
        // A program that names one of its descendants as parent must not loop the walk.
        if (seen.contains(id))
            continue;
        seen.insert(id);
        if (auto removed = removeBelow(id, seen); !removed)
            return removed;
        if (auto removed = m_session.relations(Programs)->remove(child); !removed)
            return removed;
    }
    return {};
}

} // namespace tarvo::masterdata
