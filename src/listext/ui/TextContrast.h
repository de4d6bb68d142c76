#pragma once

#include <QColor>

namespace tarvo::listext::ui {

// The contrast ratio of two colours as the accessibility guidelines measure it (1 to 21).
double contrastRatio(const QColor &a, const QColor &b);

// The colour to write on a background: the preferred one while it stays readable there (ratio of
// at least 4.5), else black or white, whichever stands out more.
QColor readableTextColour(const QColor &background, const QColor &preferred);

} // namespace tarvo::listext::ui
