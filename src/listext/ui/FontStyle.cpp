#include "listext/ui/FontStyle.h"

namespace tarvo::listext::ui {

int fontStyleOf(const QFont &font)
{
    const int weight = font.bold() ? 700 : (font.italic() ? 0 : 400);
    return weight + (font.italic() ? 4096 : 0) + (font.underline() ? 8192 : 0);
}

void applyFontStyle(QFont &font, int style)
{
    const bool underline = (style & 8192) != 0;
    const bool italic = (style & 4096) != 0;
    const int weight = style - (underline ? 8192 : 0) - (italic ? 4096 : 0);
    font.setUnderline(underline);
    font.setItalic(italic);
    font.setBold(weight >= 700);
}

} // namespace tarvo::listext::ui
