#pragma once

#include "Catalogue.h"
#include "Rng.h"
#include "platform/data/Record.h"

namespace tarvo::bench {

// Fills issue, history and note records with plausible values: issue `index` of `total` is
// entered at a date that grows with the index, so old issues are mostly closed and refer to old
// releases, new ones are mostly open.
class IssueMaker final {
  public:
    explicit IssueMaker(const Catalogue &catalogue) : m_catalogue(catalogue) {}

    // Every field but BUG:ID (left 0, so the file manager numbers it).
    void fillIssue(data::Record &bug, Rng &rng, qint64 index, qint64 total) const;
    // One change of the issue, `step` of its changes.
    void fillHistory(data::Record &history, const data::Record &bug, Rng &rng, int step) const;
    void fillNote(data::Record &note, const data::Record &bug, Rng &rng, int step) const;

    // Day number of 1 January 2010 and the span of days the issues are spread over.
    static qint64 firstDay();
    static constexpr int kDays = 15 * 365;

  private:
    const Catalogue &m_catalogue;
};

} // namespace tarvo::bench
