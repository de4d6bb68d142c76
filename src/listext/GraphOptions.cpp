#include "listext/GraphOptions.h"

namespace tarvo::listext {

namespace {

const QString Section = QStringLiteral("XplorePreferences");

QString colourKey(int n)
{
    return QStringLiteral("Col%1").arg(n, 2, 10, QLatin1Char('0'));
}

GraphOptions read(const IniFile &ini, int defaultSize)
{
    GraphOptions o;
    const QStringList defaults = GraphOptions::defaultColours();
    for (int n = 1; n <= 16; ++n)
        o.colours << ini.value(Section, colourKey(n), defaults.at(n - 1));
    o.fontName = ini.value(Section, QStringLiteral("FontName"), QStringLiteral("Arial"));
    o.fontSize = ini.intValue(Section, QStringLiteral("FontSize"), defaultSize);
    o.fontColor = ini.intValue(Section, QStringLiteral("FontColor"), 0);
    o.fontStyle = ini.intValue(Section, QStringLiteral("FontStyle"), 700);
    return o;
}

} // namespace

QStringList GraphOptions::defaultColours()
{
    return {QStringLiteral("Maroon"),  QStringLiteral("Olive"),  QStringLiteral("Navy"),
            QStringLiteral("Silver"),  QStringLiteral("Purple"), QStringLiteral("Green"),
            QStringLiteral("Teal"),    QStringLiteral("Gray"),   QStringLiteral("Red"),
            QStringLiteral("Yellow"),  QStringLiteral("Blue"),   QStringLiteral("Lime"),
            QStringLiteral("Fuschia"), QStringLiteral("Aqua"),   QStringLiteral("White"),
            QStringLiteral("Black")};
}

GraphOptions GraphOptions::readForGraph(const IniFile &ini)
{
    return read(ini, 12);
}

GraphOptions GraphOptions::readForWindow(const IniFile &ini)
{
    return read(ini, 8);
}

Result<void> GraphOptions::write(IniFile &ini) const
{
    for (int n = 1; n <= 16; ++n)
        if (auto r = ini.setValue(Section, colourKey(n), colours.value(n - 1)); !r)
            return r;
    for (auto r : {ini.setValue(Section, QStringLiteral("FontName"), fontName),
                   ini.setIntValue(Section, QStringLiteral("FontSize"), fontSize),
                   ini.setIntValue(Section, QStringLiteral("FontColor"), fontColor),
                   ini.setIntValue(Section, QStringLiteral("FontStyle"), fontStyle)})
        if (!r)
            return r;
    return {};
}

QString GraphOptions::styleText(int style)
{
    switch (style) {
    case 400:
        return QStringLiteral("Regular");
    case 700:
        return QStringLiteral("Bold");
    case 4096:
        return QStringLiteral("Italic");
    case 4796:
        return QStringLiteral("Bold Italic");
    case 8592:
        return QStringLiteral("Regular Underline");
    case 8892:
        return QStringLiteral("Bold Underline");
    case 12288:
        return QStringLiteral("Italic Underline");
    case 12988:
        return QStringLiteral("Bold Italic Underline");
    default:
        return {};
    }
}

QString GraphOptions::sampleText() const
{
    return fontName + QString::number(fontSize) + QStringLiteral(" pt ") + styleText(fontStyle);
}

} // namespace tarvo::listext
