#pragma once

#include "listext/ColumnDefinition.h"
#include "listext/TableRows.h"
#include "platform/runtime/Result.h"

#include <QString>

#include <functional>
#include <vector>

namespace tarvo::listext {

// One bar of a column's graph.
struct GraphCategory final {
    QString name;
    qint64 count = 0;
    double percent = 0; // count x 100 / records read, one decimal
};

// How many records of a list carry each value of one column, counted in one pass over the rows.
class GraphData final {
  public:
    static constexpr int MaxCategories = 50;

    // Error codes; each error's message is the text to show (title "Xplore").
    static constexpr int ErrorTooComplex = 1;
    static constexpr int ErrorNoCategories = 2;
    static constexpr int ErrorOneCategory = 3;
    static constexpr int ErrorCancelled = 4;

    // Called after each record with the count so far and the value; false ends the counting
    // (the user cancelled).
    using Progress = std::function<bool(qint64 records, const QString &value)>;

    // Counts the values of cell `column` of every row. Categories are ordered by value: numbers,
    // dates and times as numbers, texts as text (letter case makes different values).
    static Result<GraphData> count(TableRowReader &rows, int column, ColumnKind kind,
                                   const QString &description, const Progress &progress = {});

    const std::vector<GraphCategory> &categories() const { return m_categories; }
    qint64 records() const { return m_records; }
    qint64 largestCount() const;

  private:
    std::vector<GraphCategory> m_categories;
    qint64 m_records = 0;
};

// The bars' place in a graph window W pixels wide.
struct GraphBarLayout final {
    int barWidth = 0;
    int gap = 0;
    int firstX = 0;
};
GraphBarLayout graphBarLayout(int width, int categories);

// " 1 =Sunday" ... " 7 =Saturday" for the days 1 to 7; empty for any other day.
QString dayName(int day);
// A weekday text of that form loses its first four characters on a bar.
QString barLabel(const QString &name);

} // namespace tarvo::listext
