#pragma once

#include "platform/data/Connection.h"

namespace tarvo::data {

// A transaction (or, nested, a savepoint) that rolls back unless committed: whatever writes
// several records does it inside one, so nothing is ever left half-written.
class Transaction final {
  public:
    explicit Transaction(Connection &connection);
    ~Transaction();
    Transaction(const Transaction &) = delete;
    Transaction &operator=(const Transaction &) = delete;

    // The error of BEGIN, when it failed.
    const Result<void> &started() const { return m_started; }
    Result<void> commit();

  private:
    Connection &m_connection;
    Result<void> m_started;
    bool m_open = false;
};

} // namespace tarvo::data
