#pragma once

#include <QtGlobal>

#include <vector>

namespace tarvo::bench {

// The moves of a list over one sort order, each answering the issue numbers of the rows it read
// (in list order), so that two ways of reading can be timed and compared row for row.
// Failures throw std::runtime_error.
class Pager {
  public:
    static constexpr int kPageRows = 100;

    virtual ~Pager() = default;
    virtual std::vector<qint64> firstPage() = 0;
    virtual std::vector<qint64> nextPage() = 0;
    virtual std::vector<qint64> previousPage() = 0;
    virtual std::vector<qint64> lastPage() = 0;
    virtual qint64 count() = 0;
};

} // namespace tarvo::bench
