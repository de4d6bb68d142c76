#pragma once

#include <QSqlDatabase>

#include <string>
#include <vector>

struct sqlite3;

namespace tarvo::bench {

// Records the SQL text of every statement the data layer runs on a connection while it lives,
// so that its query plans can be shown beside those of the hand-written statements.
class StatementLog final {
  public:
    explicit StatementLog(const QSqlDatabase &db);
    ~StatementLog();
    StatementLog(const StatementLog &) = delete;
    StatementLog &operator=(const StatementLog &) = delete;

    // The last statement whose text starts with `prefix` ("SELECT"), or empty.
    std::string last(const std::string &prefix) const;
    void clear() { m_statements.clear(); }

  private:
    static int trace(unsigned type, void *context, void *statement, void *text);

    sqlite3 *m_db = nullptr;
    std::vector<std::string> m_statements;
};

} // namespace tarvo::bench
