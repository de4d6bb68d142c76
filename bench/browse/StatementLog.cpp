#include "StatementLog.h"

#include <QSqlDriver>
#include <QSqlQuery>
#include <QVariant>

#include <algorithm>
#include <libpq-fe.h>
#include <sqlite3.h>
#include <unistd.h>

namespace tarvo::bench {

StatementLog::StatementLog(const QSqlDatabase &db) : m_database(db)
{
    const QVariant v = db.driver()->handle();
    if (v.isValid() && qstrcmp(v.typeName(), "sqlite3*") == 0)
        m_db = *static_cast<sqlite3 *const *>(v.constData());
    if (v.isValid() && (qstrcmp(v.typeName(), "PGconn*") == 0 || qstrcmp(v.typeName(), "pg_conn*") == 0))
        m_pg = *static_cast<pg_conn *const *>(v.constData());
    if (m_db)
        sqlite3_trace_v2(m_db, SQLITE_TRACE_STMT, &StatementLog::trace, this);
    if (m_pg) {
        m_trace = std::tmpfile();
        if (m_trace) {
            PQtrace(m_pg, m_trace);
            PQsetTraceFlags(m_pg, PQTRACE_SUPPRESS_TIMESTAMPS);
        }
    }
}

StatementLog::~StatementLog()
{
    if (m_db)
        sqlite3_trace_v2(m_db, 0, nullptr, nullptr);
    if (m_pg && m_trace) {
        PQuntrace(m_pg);
        std::fclose(m_trace);
    }
}

int StatementLog::trace(unsigned type, void *context, void *statement, void *)
{
    if (type == SQLITE_TRACE_STMT) {
        const char *sql = sqlite3_sql(static_cast<sqlite3_stmt *>(statement));
        if (sql)
            static_cast<StatementLog *>(context)->m_statements.push_back({sql, sql});
    }
    return 0;
}

void StatementLog::clear()
{
    m_statements.clear();
    if (m_trace) {
        std::fflush(m_trace);
        std::rewind(m_trace);
        if (ftruncate(fileno(m_trace), 0) != 0)
            std::fseek(m_trace, 0, SEEK_END);
        m_traceRead = std::ftell(m_trace);
    }
}

void StatementLog::readTrace()
{
    if (!m_trace)
        return;
    std::fflush(m_trace);
    std::string text;
    std::fseek(m_trace, m_traceRead, SEEK_SET);
    char buffer[65536];
    for (size_t n; (n = std::fread(buffer, 1, sizeof buffer, m_trace)) > 0;)
        text.append(buffer, n);
    std::fseek(m_trace, 0, SEEK_END);
    // Qt's driver runs its statements as simple queries, `F <length> Query "EXECUTE qpsqlpstmt_1
    // (1, 'x')"`; the data layer's own reads bind values to a prepared statement, `F <length> Bind
    // "" "tarvo_read1" 0 2 1 '1' 1 'x' 1 0` (each value's length, then the value, -1 for NULL),
    // which becomes `EXECUTE tarvo_read1 ('1', 'x')` here.
    QSqlQuery prepared(m_database);
    prepared.prepare(QStringLiteral("SELECT statement FROM pg_prepared_statements WHERE name = ?"));
    auto add = [&](const std::string &name, std::string run) {
        prepared.addBindValue(QString::fromStdString(name));
        std::string sql;
        if (prepared.exec() && prepared.next()) {
            sql = prepared.value(0).toString().toStdString();
            const size_t as = sql.find(" AS ");
            if (sql.compare(0, 8, "PREPARE ") == 0 && as != std::string::npos)
                sql.erase(0, as + 4);
        }
        m_statements.push_back({sql, std::move(run)});
    };
    size_t at = 0;
    while (at < text.size()) {
        const size_t end = std::min(text.find('\n', at), text.size());
        const std::string line = text.substr(at, end - at);
        at = end + 1;
        const std::string query = "\tQuery\t \"";
        const std::string bind = "\tBind\t \"\" \"";
        if (const size_t q = line.find(query); q != std::string::npos) {
            std::string run = line.substr(q + query.size());
            if (!run.empty() && run.back() == '"')
                run.pop_back();
            if (run.compare(0, 8, "EXECUTE ") == 0)
                add(run.substr(8, run.find_first_of(" (", 8) - 8), run);
        } else if (const size_t b = line.find(bind); b != std::string::npos) {
            size_t pos = b + bind.size();
            const size_t nameEnd = line.find('"', pos);
            const std::string name = line.substr(pos, nameEnd - pos);
            pos = nameEnd + 1;
            auto number = [&] {
                size_t used = 0;
                const long n = std::stol(line.substr(pos), &used);
                pos += used;
                return n;
            };
            for (long formats = number(); formats > 0; --formats)
                number();
            std::string values;
            for (long params = number(); params > 0; --params) {
                const long length = number();
                if (!values.empty())
                    values.append(", ");
                if (length < 0) {
                    values.append("NULL");
                    continue;
                }
                pos += 2; // " '"
                const size_t close = line.find('\'', pos + size_t(length));
                values.append(1, '\'').append(line, pos, close - pos).append(1, '\'');
                pos = close + 1;
            }
            add(name, "EXECUTE " + name + (values.empty() ? std::string() : " (" + values + ")"));
        }
    }
    // The lookups above were traced too: the next read starts after them.
    std::fflush(m_trace);
    std::fseek(m_trace, 0, SEEK_END);
    m_traceRead = std::ftell(m_trace);
}

StatementLog::Entry StatementLog::last(const std::string &prefix)
{
    readTrace();
    for (auto it = m_statements.rbegin(); it != m_statements.rend(); ++it)
        if (it->sql.compare(0, prefix.size(), prefix) == 0)
            return *it;
    return {};
}

} // namespace tarvo::bench
