#pragma once

#include <QString>
#include <QStringView>

namespace tarvo {

// The runtime's string functions. Positions and widths count characters (Unicode code points),
// so a character outside the Basic Multilingual Plane is never split and counts once, as the SQL
// stores count it.
class Text final {
  public:
    // Number of characters (code points) in text.
    static qsizetype length(QStringView text);

    // Removes trailing blanks only; leading blanks and other white space stay. A QString without
    // trailing blanks comes back shared rather than copied, so clipping stored values costs nothing.
    static QString clip(QStringView text);
    static QString clip(const QString &text);

    // The part of text that starts at start (1-based) and is length characters long. A negative
    // start counts from the end (-1 is the last character). Positions outside the text give
    // nothing, so any start and length are safe.
    static QString sub(QStringView text, qsizetype start, qsizetype length);

    // Where needle occurs in haystack, searching at start, start + step, start + 2 * step ...
    // (1-based). Answers the number of the step at which it was found, counted from the first
    // character: with step 1 that is the position. 0 when not found or needle is empty. A
    // negative step searches backwards from start; step 0 counts as 1.
    static qsizetype instring(QStringView needle, QStringView haystack, qsizetype step = 1,
                              qsizetype start = 1);

    // Full Unicode case mapping ("straße" becomes "STRASSE").
    static QString upper(QStringView text);
    static QString lower(QStringView text);

    // Justify within width characters (width < 0: the text's own length); the text is first
    // stripped of leading and trailing blanks and cut when longer than width.
    static QString left(QStringView text, qsizetype width = -1);
    static QString right(QStringView text, qsizetype width = -1);
    static QString center(QStringView text, qsizetype width = -1);

    // Pads with blanks to width characters; a longer text is left as it is.
    static QString padTo(QStringView text, qsizetype width);
    // Cuts to at most width characters.
    static QString cutTo(QStringView text, qsizetype width);
    // What a text field of width characters stores: cut to width, then clipped.
    static QString fit(QStringView text, qsizetype width);
};

} // namespace tarvo
