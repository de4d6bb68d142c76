#pragma once

#include <QString>

#include <vector>

namespace tarvo::listext {

// How a column's values compare: text columns as text, the others as numbers (dates are day
// numbers and times hundredths of a second, so they order as numbers too).
enum class ColumnKind { Text, Number, Date, Time };

// The kind of values that a display picture shows: "@s35" text, "@n-14" or "n_7" a number,
// "@D017B" a date, "@T08B" a time. An empty or unknown picture counts as text.
ColumnKind columnKindOfPicture(const QString &picture);
inline bool isNumericKind(ColumnKind kind)
{
    return kind != ColumnKind::Text;
}

// One column of a list that binds the browse extension, as the list's owner defines it.
struct ColumnDefinition final {
    QString field; // identity of the column: a field name ("BUG:Status") or a computed name
    int width = 0; // in the list's units
    QString header;
    QString picture;                        // display picture
    QString description;                    // for menu texts, titles and messages
    QChar justification = QLatin1Char('L'); // 'L', 'R', 'C' or 'D'
    bool shown = true;
    bool colors = false;
    bool style = false;
    bool icon = false;
    bool viewField = true; // a field of the browse's view: it can be filtered
    bool total = false;
    bool graph = false;
    bool sortable = false;
    QChar locatorType = QLatin1Char('N'); // 'X': a hidden column left out altogether

    // A column of `field` under `header` (described by its field when it has none) in `picture`.
    static ColumnDefinition of(const QString &field, const QString &header, const QString &picture, int width)
    {
        ColumnDefinition c;
        c.field = field;
        c.header = header;
        c.description = header.isEmpty() ? field : header;
        c.picture = picture;
        c.width = width;
        return c;
    }

    ColumnKind kind() const { return columnKindOfPicture(picture); }
    // The upper-case field name under which the column filter knows the column.
    QString filterName() const { return field.trimmed().toUpper(); }
};

using ColumnDefinitions = std::vector<ColumnDefinition>;

} // namespace tarvo::listext
