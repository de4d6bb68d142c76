#pragma once

#include <QString>
#include <QVariantList>

#include <vector>

namespace tarvo::bench {

// What the issue browse's tree and tabs have selected: the user's program limit, the program,
// release and program file, and the category tab.
struct BrowseSelection final {
    QString programLimit; // "|1|2|4|...|"
    qint64 program = 0;
    QString release;
    QString file;
    int tab = 1; // 1 bug reports ... 4 to-dos
};

// One sort order of the issue browse: its key, the range the tree selection puts on it and its own
// filter, as the browse chooses them.
struct BrowseOrder final {
    enum class Range { None, Category, Program, Release, Programfile };

    int number = 0;
    QString key; // "BUG:KeyPrgIDVersionCategoryID"
    Range range = Range::None;
    QString filter; // the order's own filter, blank when none

    // The browse's sixteen key orders with their filters.
    static const std::vector<BrowseOrder> &all();
    // The range values for a selection, in key order. With `pinned`, the values that the order's
    // own filter pins (BUG:Gray 0, BUG:Category the tab) follow, as they do in every key of the browse.
    QVariantList rangeValues(const BrowseSelection &selection, bool pinned = false) const;
    // The filter the view gets: the order's own filter and the program limit.
    QString filterText() const;
    bool usesCategory() const
    {
        return filter.contains(QLatin1String("Category")) || range == Range::Category;
    }
};

} // namespace tarvo::bench
