#include "core/lists/TreeMoves.h"

#include "core/lists/FileWriting.h"
#include "core/lists/ReadKeyOrder.h"
#include "platform/data/FileManager.h"
#include "platform/data/Session.h"
#include "platform/data/Transaction.h"

#include <QSet>

#include <algorithm>
#include <memory>
#include <optional>
#include <utility>
#include <vector>

namespace tarvo::core {

namespace {

const QString Id = QStringLiteral("ID");
const QString Parent = QStringLiteral("P");
const QString Sort = QStringLiteral("Sort");

} // namespace

TreeMoves::TreeMoves(data::Session &session, QString label, QString prefix, QString scope)
    : m_session(session), m_label(std::move(label)), m_prefix(std::move(prefix)), m_scope(std::move(scope))
{
}

namespace {

Result<data::Record> readById(data::FileManager &file, const QString &prefix, qint64 id)
{
    data::Record record = file.newRecord();
    record.setValue(Id, id);
    if (auto found = file.fetch(prefix + QStringLiteral(":KeyID"), record); !found)
        return found.error();
    return record;
}

// A move's start: the transaction open and the moved row read inside it.
struct Moving {
    FileWriting writing;
    data::Record row;
};

Result<Moving> beginMove(data::Session &session, const QString &label, const QString &prefix, qint64 id)
{
    auto writing = FileWriting::begin(session, label);
    if (!writing)
        return writing.error();
    auto read = readById(*writing->file, prefix, id);
    if (!read)
        return read.error();
    return Moving{std::move(writing).value(), std::move(read).value()};
}

} // namespace

bool TreeMoves::sameScope(const data::Record &a, const data::Record &b) const
{
    return m_scope.isEmpty() || a.integer(m_scope) == b.integer(m_scope);
}

Result<TreeMoves::Outcome> TreeMoves::moveAmongSiblings(qint64 id, int step)
{
    auto moving = beginMove(m_session, m_label, m_prefix, id);
    if (!moving)
        return moving.error();
    Moving move = std::move(moving).value();
    FileWriting *writing = &move.writing;
    data::FileManager &file = *writing->file;
    data::Record &row = move.row;
    const qint64 sort = row.integer(Sort);
    // The neighbour is the nearest sibling in sort order, so a gap left in older data does not
    // stop the move.
    std::optional<data::Record> neighbour;
    if (auto failed = readKeyOrder(
            m_session, m_label, m_prefix + QStringLiteral(":KeyPSort"), {row.integer(Parent)},
            [&](const data::Record &r) {
                const qint64 s = r.integer(Sort);
                if (r.integer(Id) == id || (step < 0 ? s >= sort : s <= sort) || !sameScope(r, row))
                    return;
                if (!neighbour || (step < 0 ? s > neighbour->integer(Sort) : s < neighbour->integer(Sort)))
                    neighbour = r;
            }))
        return *failed;
    if (!neighbour)
        return Outcome::Unchanged;
    data::Record sibling = *neighbour;
    const qint64 siblingSort = sibling.integer(Sort);
    // The sort key allows repeats, so the two rows swap directly. A scoped file also keeps a
    // unique key over scope and sort (web links: program, sort, description) that two rows of one
    // description would break on the way; there the row steps aside first, inside the same
    // transaction, so no one ever sees it parked.
    if (!m_scope.isEmpty()) {
        row.setValue(Sort, -sort);
        if (auto written = file.update(row); !written)
            return written.error();
    }
    sibling.setValue(Sort, sort);
    if (auto written = file.update(sibling); !written)
        return written.error();
    row.setValue(Sort, siblingSort);
    if (auto written = file.update(row); !written)
        return written.error();
    if (auto committed = writing->transaction->commit(); !committed)
        return committed.error();
    return Outcome::Moved;
}

Result<TreeMoves::Outcome> TreeMoves::reparent(qint64 id, qint64 newParent)
{
    auto moving = beginMove(m_session, m_label, m_prefix, id);
    if (!moving)
        return moving.error();
    Moving move = std::move(moving).value();
    FileWriting *writing = &move.writing;
    data::FileManager &file = *writing->file;
    data::Record &row = move.row;
    // Walking up from the new parent must never meet the row: it cannot hang below itself.
    QSet<qint64> seen;
    for (qint64 up = newParent; up != 0;) {
        if (up == id)
            return Outcome::Refused;
        if (seen.contains(up))
            break;
        seen.insert(up);
        auto ancestor = readById(file, m_prefix, up);
        if (!ancestor)
            return ancestor.error();
        up = ancestor->integer(Parent);
    }
    const qint64 oldParent = row.integer(Parent);
    if (oldParent == newParent)
        return Outcome::Unchanged;

    const qint64 oldSort = row.integer(Sort);
    auto last = nextSort(newParent);
    if (!last)
        return last.error();
    row.setValue(Parent, newParent);
    row.setValue(Sort, *last);
    if (auto written = file.update(row); !written)
        return written.error();
    if (auto closed = closeGap(oldParent, oldSort); !closed)
        return closed.error();
    if (auto committed = writing->transaction->commit(); !committed)
        return committed.error();
    return Outcome::Moved;
}

Result<qint64> TreeMoves::nextSort(qint64 parent)
{
    qint64 last = 0;
    if (auto failed = readKeyOrder(m_session, m_label, m_prefix + QStringLiteral(":KeyPSort"), {parent},
                                   [&](const data::Record &r) { last = std::max(last, r.integer(Sort)); }))
        return *failed;
    return last + 1;
}

Result<void> TreeMoves::closeGap(qint64 parent, qint64 sort)
{
    auto writing = FileWriting::begin(m_session, m_label);
    if (!writing)
        return writing.error();
    // Read first, then written: the rows are not changed under the open reading.
    std::vector<data::Record> after;
    if (auto failed = readKeyOrder(m_session, m_label, m_prefix + QStringLiteral(":KeyPSort"), {parent},
                                   [&](const data::Record &r) {
                                       if (r.integer(Sort) > sort)
                                           after.push_back(r);
                                   }))
        return *failed;
    for (data::Record &sibling : after) {
        sibling.setValue(Sort, sibling.integer(Sort) - 1);
        if (auto written = writing->file->update(sibling); !written)
            return written.error();
    }
    if (auto committed = writing->transaction->commit(); !committed)
        return committed.error();
    return {};
}

} // namespace tarvo::core
