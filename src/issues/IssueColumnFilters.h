#pragma once

#include "listext/ColumnDefinition.h"
#include "listext/XploreFilter.h"

#include <QString>

#include <vector>

namespace tarvo::issues {

// One column filter as the void-filters window lists it.
struct ActiveFilter final {
    QString field; // the column's field name
    QString op;    // ">", "<", "=" or "<>"
    QString value; // the value as shown, at most 50 characters and "..."
};

// The issue list's column filters as the user keeps them between sessions ("Last Sort": per
// filtered column its upper-case field name, then "°L:" lower bound, "°H:" upper bound, "°E:"
// equality value, each entry ended by "¦"; "~" before an equality value means "not equal"), and
// as the void-filters window shows them.
class IssueColumnFilters final {
  public:
    static QString lastSortText(const listext::XploreFilter &filter);
    // Sets the filters a "Last Sort" text names on the columns that exist; `upper` compares text
    // columns without regard to case, as the list's own filters do.
    static void restore(listext::XploreFilter &filter, const QString &text, bool upper);
    // The set filters, in column order, each value formatted with its column's picture.
    static std::vector<ActiveFilter> active(const listext::XploreFilter &filter,
                                            const listext::ColumnDefinitions &columns);
};

} // namespace tarvo::issues
