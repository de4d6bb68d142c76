#pragma once

#include "platform/runtime/Result.h"

#include <QString>

#include <vector>

namespace tarvo::listext {

// One shown column of a list as the user left it: what a stored layout keeps per column.
struct ColumnState final {
    QString field; // identity of the column
    QString header;
    QString picture;
    int width = 0;
    QChar dataJustification = QLatin1Char('L');
    int dataIndent = 0;
    QChar headerJustification = QLatin1Char('L');
    int headerIndent = 0;
    bool colors = false;
    bool style = false;
    bool icon = false;
    bool fixed = false;
    bool underline = false;
    bool resizable = true;
    bool rightBorder = true;
    int textColor = -1; // 00BBGGRR, -1 the list's own
    int backgroundColor = -1;
    int selectedTextColor = -1;
    int selectedBackgroundColor = -1;

    bool operator==(const ColumnState &) const = default;
};

using ColumnStates = std::vector<ColumnState>;

// The list format text in which a layout stores its shown columns, in display order. Each column
// is: width, data justification, "(" indent ")" when not 0, the flag letters ("*" colours,
// "Y" style, "I" icon, "F" fixed, "_" underline, "M" resizable, "|" right border), "~" header "~",
// header justification and indent, the picture and "@", "#" field name "#", and "E(" the four
// colours ")" when any is set. Columns are named by field, so a layout survives columns that
// move in the list's design; "~" and "#" inside a header or a name are doubled.
class ListFormat final {
  public:
    static QString build(const ColumnStates &columns);
    static Result<ColumnStates> parse(const QString &format);
};

} // namespace tarvo::listext
