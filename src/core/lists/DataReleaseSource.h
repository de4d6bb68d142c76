#pragma once

#include "core/lists/ReleaseQueue.h"

namespace tarvo::data {
class Session;
}

namespace tarvo::core {

// The releases of a program from the Releases file of a thread's session, by program and
// descending release text, so the highest release comes first.
class DataReleaseSource final : public ReleaseSource {
  public:
    explicit DataReleaseSource(data::Session &session) : m_session(session) {}

    RowsRead<ReleaseRow> releasesOf(qint32 programId) override;

  private:
    data::Session &m_session;
};

} // namespace tarvo::core
