#pragma once

#include <QString>

namespace tarvo::bench {

// Times the list exports (HTML and text) and the graph of the status column over a generated
// folder's issues, through the list extensions over a view and through raw SQLite, and checks
// that both sides wrote the same bytes and counted the same values.
class ListextBench final {
  public:
    struct Options {
        QString folder;
        int repetitions = 3;
        bool exports = true;
        bool graph = true;
    };
    explicit ListextBench(Options options) : m_options(std::move(options)) {}
    // The exit code: 0 when both sides agree.
    int run();

  private:
    Options m_options;
};

} // namespace tarvo::bench
