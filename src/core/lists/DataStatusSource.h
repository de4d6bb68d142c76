#pragma once

#include "core/lists/StatusQueue.h"

namespace tarvo::data {
class Session;
}

namespace tarvo::core {

// The statuses one program's issues may take, from the Status file of a thread's session: the
// general list (program 0) and the program's own list, each in key order. The other lists of the
// file (other programs, the program and note statuses) are never read, since the status list
// passes them over.
class DataStatusSource final : public StatusSource {
  public:
    DataStatusSource(data::Session &session, qint32 programId) : m_session(session), m_programId(programId) {}

    RowsRead<StatusRow> statuses() override;

  private:
    data::Session &m_session;
    qint32 m_programId;
};

} // namespace tarvo::core
