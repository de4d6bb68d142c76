#include "platform/data/Transaction.h"

namespace tarvo::data {

Transaction::Transaction(Connection &connection) : m_connection(connection)
{
    m_started = m_connection.begin();
    m_open = m_started.ok();
}

Transaction::~Transaction()
{
    if (m_open)
        m_connection.rollback();
}

Result<void> Transaction::commit()
{
    if (!m_open)
        return m_started.ok() ? Result<void>(makeError(90, QStringLiteral("Transaction already ended")))
                              : m_started;
    m_open = false;
    return m_connection.commit();
}

} // namespace tarvo::data
