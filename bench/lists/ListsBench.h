#pragma once

#include <QString>

namespace tarvo::bench {

// The issue list as a list window reads it (the list model over the data layer, holding a window
// of pages) against raw SQLite: opening, paging both ways, jumping to the end and into the middle,
// and the memory while paging far.
class ListsBench final {
  public:
    struct Options {
        QString folder;
        int repetitions = 7;
        int walkPages = 5000;
    };
    explicit ListsBench(Options options);
    int run();

  private:
    Options m_options;
};

} // namespace tarvo::bench
