#pragma once

#include "listext/ColumnDefinition.h"
#include "listext/ListLayoutStore.h"

#include <QString>

#include <vector>

namespace tarvo::listext {

// One part of a sort order as a row source applies it.
struct SortKey final {
    QString field;
    bool descending = false;
    bool caseInsensitive = false; // text compared without regard to case

    bool operator==(const SortKey &) const = default;
};

// The sort columns of a list: which columns a header click sorts by, in which direction, and
// the token each sorted header carries (">" ascending, "<" descending; "(2) <" for the second
// column of a multi-column sort).
class XploreSort final {
  public:
    void setMultiColumn(bool multi) { m_multi = multi; }
    void setReverse(bool reverse) { m_reverse = reverse; }
    bool multiColumn() const { return m_multi; }
    // The direction that the next newly sorted column starts with; used once.
    void setNextDescending(bool descending) { m_nextDescending = descending; }

    // A header click: the column joins the sort (replacing the sort in single-column mode), or
    // flips its direction when it is sorted already.
    void toggle(const QString &field);
    void remove(const QString &field);
    void clear();
    // Rebuilds the sort from saved columns; fields the list does not know are left out.
    void restore(const std::vector<SortColumn> &saved, const ColumnDefinitions &columns);

    const std::vector<SortColumn> &columns() const { return m_columns; }
    bool isEmpty() const { return m_columns.empty(); }
    bool isSorted(const QString &field) const { return indexOf(field) >= 0; }
    // The token before the header of a sorted column, empty for the others.
    QString token(const QString &field) const;
    QString decoratedHeader(const QString &field, const QString &header) const;

    // The keys of the sort: text columns without regard to case when `upper` is set; numbers,
    // dates and times always as numbers.
    std::vector<SortKey> keys(const ColumnDefinitions &columns, bool upper) const;
    // The same as an order text, such as "UPPER(CCO:Lastname),-CCO:ID".
    static QString orderText(const std::vector<SortKey> &keys);

  private:
    int indexOf(const QString &field) const;

    bool m_multi = false;
    bool m_reverse = false;
    bool m_nextDescending = false;
    std::vector<SortColumn> m_columns;
};

} // namespace tarvo::listext
