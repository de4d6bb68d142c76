#pragma once

#include <QString>

namespace tarvo::bench {

// The customer browse on many customers: its first page read through the list model in the
// search-name order, and the text search over every field of every customer, each against raw
// SQLite doing the same; sides alternating, the median of the runs. Fills the folder with
// customers first when it holds fewer than asked for.
class CustomerBench final {
  public:
    struct Options {
        QString folder;
        int customers = 100000;
        int repetitions = 7;
    };
    explicit CustomerBench(Options options) : m_options(std::move(options)) {}
    int run();

  private:
    Options m_options;
};

} // namespace tarvo::bench
