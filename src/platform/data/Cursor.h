#pragma once

#include "platform/data/Record.h"
#include "platform/runtime/Result.h"

#include <optional>
#include <vector>

namespace tarvo::data {

class View;

// A position in a View that moves record by record or page by page.
class Cursor final {
  public:
    explicit Cursor(View &view) : m_view(view) {}

    Result<std::optional<Record>> first();
    Result<std::optional<Record>> last();
    // The row after (before) the current one; from the start (end) when there is none. At the end
    // the answer is empty and the position stays.
    Result<std::optional<Record>> next();
    Result<std::optional<Record>> previous();
    // next() then gives the first row at or after the record's place in the order, previous()
    // the last row before it.
    void setPosition(const Record &record);
    // Up to n rows after (before) the position; the position moves to the last row read.
    Result<std::vector<Record>> nextPage(int n);
    Result<std::vector<Record>> previousPage(int n);
    const std::optional<Record> &current() const { return m_current; }
    void reset();

  private:
    Result<std::optional<Record>> step(bool forward);

    View &m_view;
    std::optional<Record> m_current;
    bool m_inclusive = false; // set by setPosition: the position's own row comes next
};

} // namespace tarvo::data
