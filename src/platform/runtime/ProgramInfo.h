#pragma once

#include <QString>

namespace tarvo {

// Names and the version text of the program, shared by every layer.
struct ProgramInfo final {
    static QString productName() { return QStringLiteral("Tarvo"); }
    // The version text, as the login information string and the status bar show it.
    static QString version() { return QStringLiteral("4.1"); }
};

} // namespace tarvo
