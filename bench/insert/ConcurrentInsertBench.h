#pragma once

#include <QString>

namespace tarvo::bench {

// Several copies of this program inserting issues into one data folder at once, each through the
// file manager with one transaction per issue, as users adding issues on a shared folder do:
// times one copy alone and then all of them together, and checks that every issue was stored
// under a number of its own. The folder's store is SQLite, or PostgreSQL when a Database.ini is
// given.
class ConcurrentInsertBench final {
  public:
    struct Options {
        QString folder;      // parent of the new data folders; a temporary one when blank
        QString databaseIni; // copied into each new folder: the runs use that server
        int processes = 3;
        int issues = 2000; // per process
    };

    explicit ConcurrentInsertBench(Options options) : m_options(std::move(options)) {}
    int run();

    // The copy's own part: inserts `issues` issues into `folder`, prints "failed=N" with the
    // inserts that failed and returns 0.
    static int insertAsCopy(const QString &folder, int issues, int copy);

  private:
    // Seconds from starting `processes` copies until the last one ended; counts their failures.
    double runCopies(const QString &folder, int processes, int &failed);

    Options m_options;
};

} // namespace tarvo::bench
