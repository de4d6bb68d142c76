#pragma once

#include <QString>

#include <functional>

namespace tarvo::core {

// Passes a system text through the translator; the list fillers take one so that they work the
// same with the English interface (no function) and with the German table.
using TranslateFn = std::function<QString(const QString &)>;

inline QString translated(const TranslateFn &translate, const QString &text)
{
    return translate ? translate(text) : text;
}

// A stored text as it compares: trailing blanks never count.
inline QString clipped(const QString &text)
{
    qsizetype end = text.size();
    while (end > 0 && text.at(end - 1) == QLatin1Char(' '))
        --end;
    return text.left(end);
}

} // namespace tarvo::core
