#pragma once

#include "platform/runtime/IniFile.h"
#include "platform/runtime/Result.h"

#include <QString>
#include <QStringList>

namespace tarvo::listext {

// The graph's sixteen colour names (the first eight colour the bars) and its label font, kept in
// the section "XplorePreferences" of the list's INI file.
struct GraphOptions final {
    QStringList colours; // sixteen names
    QString fontName;
    int fontSize = 0;
    int fontColor = 0;
    int fontStyle = 700;

    static QStringList defaultColours();
    // As the graph reads them (font size 12 when none is stored) ...
    static GraphOptions readForGraph(const IniFile &ini);
    // ... and as the options window reads them (font size 8 when none is stored).
    static GraphOptions readForWindow(const IniFile &ini);
    Result<void> write(IniFile &ini) const;

    // "Regular", "Bold", ... for the style numbers the font dialog gives; empty for others.
    static QString styleText(int style);
    // "Arial8 pt Bold": the sample text of the options window.
    QString sampleText() const;
};

} // namespace tarvo::listext
