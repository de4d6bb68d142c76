#include "StatementLog.h"

#include <QSqlDriver>
#include <QVariant>

#include <sqlite3.h>

namespace tarvo::bench {

StatementLog::StatementLog(const QSqlDatabase &db)
{
    const QVariant v = db.driver()->handle();
    if (v.isValid() && qstrcmp(v.typeName(), "sqlite3*") == 0)
        m_db = *static_cast<sqlite3 *const *>(v.constData());
    if (m_db)
        sqlite3_trace_v2(m_db, SQLITE_TRACE_STMT, &StatementLog::trace, this);
}

StatementLog::~StatementLog()
{
    if (m_db)
        sqlite3_trace_v2(m_db, 0, nullptr, nullptr);
}

int StatementLog::trace(unsigned type, void *context, void *statement, void *)
{
    if (type == SQLITE_TRACE_STMT) {
        const char *sql = sqlite3_sql(static_cast<sqlite3_stmt *>(statement));
        if (sql)
            static_cast<StatementLog *>(context)->m_statements.emplace_back(sql);
    }
    return 0;
}

std::string StatementLog::last(const std::string &prefix) const
{
    for (auto it = m_statements.rbegin(); it != m_statements.rend(); ++it)
        if (it->compare(0, prefix.size(), prefix) == 0)
            return *it;
    return {};
}

} // namespace tarvo::bench
