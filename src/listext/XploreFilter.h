#pragma once

#include "listext/ColumnDefinition.h"
#include "platform/runtime/Result.h"

#include <QString>
#include <QStringList>

#include <vector>

namespace tarvo::listext {

// The column filters of one list: one filter per column, turned into one filter expression in
// the runtime's expression language, which the browse applies as its filter "Xplore".
//
// A column's filter is kept in one of two forms. A filter text (setFilter) is read as the user
// types it: leading "=", "<", ">", "~" form the operator, "^" asks for a comparison without
// regard to case, a leading or trailing "*" a pattern. A value filter (setValueFilter) holds a
// value taken from a cell and an operator chosen from the menu: the value is compared literally,
// whatever characters it holds.
class XploreFilter final {
  public:
    // The operators of the list popup's filter items.
    enum class Operator { Equal, Less, Greater, NotEqual };

    // One column's filter as stored; empty parts mean "no filter".
    struct ColumnFilter final {
        QString text;                 // the stored text (or the literal value of a value filter)
        bool low = false;             // the text is a lower bound
        bool middle = false;          // the text is a comparison or a pattern
        bool high = false;            // the text is an upper bound
        bool literal = false;         // a value filter: `op` is the operator, `text` the value itself
        QString op;                   // value filters: "=", "<>", "<" or ">"
        bool caseInsensitive = false; // value filters on text columns

        bool isSet() const { return low || middle || high; }
    };

    struct Texts final {
        QString low;
        QString middle;
        QString high;
    };

    // Error code of a refused filter.
    static constexpr int ErrorNotANumber = 1;

    // Registers a column under its upper-case name; the kind decides how values compare
    // (numbers, dates and times as numbers, everything else as text).
    void addField(const QString &name, ColumnKind kind = ColumnKind::Text);
    bool hasField(const QString &name) const;
    int fieldCount() const { return static_cast<int>(m_fields.size()); }

    // Sets the parts of one column from filter texts; a part whose ignore flag is set or whose
    // text is empty is cleared. The stored text is the last part set (low, high, middle).
    void setFilter(const QString &name, const QString &low, const QString &high, const QString &middle,
                   bool ignoreLow = false, bool ignoreHigh = false, bool ignoreMiddle = false);
    // Sets one column's filter from a cell value; `upper` asks text columns to compare without
    // regard to case. The value is never read as an operator or a pattern.
    void setValueFilter(const QString &name, Operator op, const QString &value, bool upper);
    void clearFilter(const QString &name, bool all = false);
    void clearAll() { clearFilter({}, true); }

    // The column's texts per part (each the stored text when that part is set).
    Texts getFilter(const QString &name) const;
    // The column's whole filter, for owners that keep filters across sessions.
    ColumnFilter columnFilter(const QString &name) const;
    void setColumnFilter(const QString &name, const ColumnFilter &filter);
    // The names of the filtered columns, in the order the columns were added.
    QStringList filteredFields() const;

    // The filter expression of all columns, joined by " AND "; empty when nothing is filtered.
    // The expression is always whole; a filter that cannot be expressed (a value that is no
    // number on a numeric column) refuses the whole expression with an error to show.
    Result<QString> buildFilter() const;

  private:
    struct Field final {
        QString name;
        ColumnKind kind = ColumnKind::Text;
        ColumnFilter filter;
    };

    Field *find(const QString &name);
    const Field *find(const QString &name) const;

    std::vector<Field> m_fields;
};

} // namespace tarvo::listext
