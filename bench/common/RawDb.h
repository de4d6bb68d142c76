#pragma once

#include <string>

struct sqlite3;

namespace tarvo::bench {

// A plain SQLite connection through the C API, the yardstick the data layer is measured against.
// It gets the data layer's text collations (without them SQLite refuses the tables' indexes) and
// the same journal settings, and nothing else.
class RawDb final {
  public:
    // Throws std::runtime_error when the file cannot be opened.
    explicit RawDb(const std::string &path);
    ~RawDb();
    RawDb(const RawDb &) = delete;
    RawDb &operator=(const RawDb &) = delete;

    sqlite3 *handle() const { return m_db; }
    // Runs statements without results; throws with SQLite's message on failure.
    void exec(const std::string &sql);
    // The query plan of a statement, one line per step.
    std::string queryPlan(const std::string &sql);

  private:
    sqlite3 *m_db = nullptr;
};

} // namespace tarvo::bench
