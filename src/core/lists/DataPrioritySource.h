#pragma once

#include "core/lists/PriorityQueue.h"

namespace tarvo::data {
class Session;
}

namespace tarvo::core {

// The priorities from the Priority file of a thread's session, in ascending sort number.
class DataPrioritySource final : public PrioritySource {
  public:
    explicit DataPrioritySource(data::Session &session) : m_session(session) {}

    RowsRead<PriorityRow> priorities() override;

  private:
    data::Session &m_session;
};

} // namespace tarvo::core
