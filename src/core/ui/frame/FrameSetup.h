#pragma once

#include <QString>

namespace tarvo::core {
class CloseDownListener;
}

namespace tarvo::core::ui {

// What the start-up hands the frame.
struct FrameSetup final {
    // The settings' language ("Deutsch" gives the German weekday names; the translator itself
    // decides whether texts are translated).
    QString language;
    // The seven weekday names, ten characters each, Sunday first; empty: those of the language.
    QString weekdayNames;
    // "Tarvo.INI" with the window positions; empty: the one in the program's folder.
    QString tarvoIniPath;
    // The listener for close-down requests; none: the frame runs without one.
    CloseDownListener *closeDown = nullptr;
};

} // namespace tarvo::core::ui
