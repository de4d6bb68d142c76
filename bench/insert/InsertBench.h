#pragma once

#include <QString>

#include <cstdint>

namespace tarvo::bench {

// Inserts the same issues into new data folders four ways, each into a folder of its own: through
// the file manager and through raw SQLite, each with one transaction per record and with one
// transaction around all of them; prints the times and the file manager's ratio to raw SQLite.
// With several repetitions every run gets new folders (removed after it) and the medians are
// printed, with the range of the ratios of the runs side by side.
class InsertBench final {
  public:
    struct Options {
        QString folder; // parent of the four new folders; a temporary one when blank
        qint64 issues = 100000;
        std::uint64_t seed = 20240501;
        int repetitions = 1; // runs of each way, file manager and raw alternating
    };

    explicit InsertBench(Options options) : m_options(std::move(options)) {}
    int run();

  private:
    double fileManager(const QString &folder, bool oneTransaction);
    double raw(const QString &folder, bool oneTransaction);

    Options m_options;
};

} // namespace tarvo::bench
