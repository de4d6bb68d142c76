#pragma once

#include <QColor>

namespace tarvo::listext::ui {

// A colour as lists, trees and graphs keep it (00BBGGRR); a negative value is none, the
// widget's own colour, shown as `none`.
inline QColor colourOf(int value, const QColor &none = QColor())
{
    if (value < 0)
        return none;
    return QColor(value & 0xFF, (value >> 8) & 0xFF, (value >> 16) & 0xFF);
}

} // namespace tarvo::listext::ui
