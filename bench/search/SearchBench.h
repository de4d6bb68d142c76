#pragma once

#include <QString>

namespace tarvo::bench {

// The issue browse's text search over every text field and memo of a generated folder, through
// the text index and the search's own comparison, against the raw SQLite scan that finds the same
// issues; sides alternating, the median of the runs.
class SearchBench final {
  public:
    struct Options {
        QString folder;
        int repetitions = 7;
        // Only the cases whose label holds this text; every case when empty.
        QString only;
    };
    explicit SearchBench(Options options) : m_options(std::move(options)) {}
    int run();

  private:
    Options m_options;
};

} // namespace tarvo::bench
