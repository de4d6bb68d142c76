#pragma once

#include "platform/runtime/Result.h"

#include <QString>

namespace tarvo::data {
class Session;
class Record;
} // namespace tarvo::data

namespace tarvo::core {

// The moves of the rows of a self-nested file that keeps its siblings numbered 1..n in `Sort`
// under their parent `P` (programs, web links): each is one transaction, written and checked
// record by record, so a failure leaves every row where it was.
class TreeMoves final {
  public:
    // `label` is the file ("Programs", "WebLinks"), `prefix` its key prefix ("PRG", "WEB"). A
    // `scope` field narrows the siblings further: web links at the top level share `P` 0 with the
    // links of every other program, and only those of their own program (`PrgID`) are siblings.
    TreeMoves(data::Session &session, QString label, QString prefix, QString scope = {});

    enum class Outcome { Moved, Unchanged, Refused };

    // Swaps the sort numbers of the row `id` and its nearest sibling above (`step` -1) or below
    // (+1); Unchanged when there is no such sibling.
    Result<Outcome> moveAmongSiblings(qint64 id, int step);

    // Puts the row `id` last under `newParent` (0 = top level) and closes the gap it leaves
    // under its old parent. Refused when `newParent` is the row itself or one of its
    // descendants; Unchanged when it is already the parent.
    Result<Outcome> reparent(qint64 id, qint64 newParent);

    // The sort number a new row under `parent` takes: its last child's plus one, or 1.
    Result<qint64> nextSort(qint64 parent);
    // Moves every child of `parent` sorted after `sort` up by one, in one transaction (a savepoint
    // inside the caller's), so the gap a removed row leaves is closed.
    Result<void> closeGap(qint64 parent, qint64 sort);

  private:
    bool sameScope(const data::Record &a, const data::Record &b) const;

    data::Session &m_session;
    QString m_label;
    QString m_prefix;
    QString m_scope;
};

} // namespace tarvo::core
