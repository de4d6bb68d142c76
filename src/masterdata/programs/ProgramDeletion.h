#pragma once

#include "platform/runtime/Result.h"

#include <QSet>
#include <QtGlobal>

namespace tarvo::data {
class Session;
}

namespace tarvo::masterdata {

// Deletes a program with what hangs on it, in one transaction: its sub-programs, also those the
// user's program limit hides, are moved up to its parent or deleted with it, and the siblings
// after it close the gap, so no program is left under a deleted parent or out of order.
class ProgramDeletion final {
  public:
    enum class SubPrograms { MoveUp, Delete };

    explicit ProgramDeletion(data::Session &session) : m_session(session) {}

    Result<void> remove(qint64 programId, SubPrograms subPrograms);
    // True when the program has sub-programs, whether the user may see them or not.
    Result<bool> hasSubPrograms(qint64 programId);

  private:
    Result<void> removeBelow(qint64 programId, QSet<qint64> &seen);

    data::Session &m_session;
};

} // namespace tarvo::masterdata
