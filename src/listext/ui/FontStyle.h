#pragma once

#include <QFont>

namespace tarvo::listext::ui {

// Font styles as the layouts and graph options store them: 400 regular, 700 bold, plus 4096
// for italic (an italic regular font is 4096 alone) and 8192 for underline.
int fontStyleOf(const QFont &font);
void applyFontStyle(QFont &font, int style);

} // namespace tarvo::listext::ui
