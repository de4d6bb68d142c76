#pragma once

#include <QString>

#include <cstdint>

namespace tarvo::bench {

// Inserts the same issues into new data folders four ways, each into a folder of its own: through
// the file manager and through raw SQLite, each with one transaction per record and with one
// transaction around all of them; prints the times and the file manager's ratio to raw SQLite.
class InsertBench final {
  public:
    struct Options {
        QString folder; // parent of the four new folders; a temporary one when blank
        qint64 issues = 100000;
        std::uint64_t seed = 20240501;
    };

    explicit InsertBench(Options options) : m_options(std::move(options)) {}
    int run();

  private:
    double fileManager(const QString &folder, bool oneTransaction);
    double raw(const QString &folder, bool oneTransaction);

    Options m_options;
};

} // namespace tarvo::bench
