#pragma once

#include "platform/runtime/Result.h"

#include <QString>

#include <functional>

namespace tarvo {
class CommandLine;
}

namespace tarvo::core {

class PathFile;

// The installer's start ("/Path <folder>" [/Language German]): stores the data folder in record 1
// of the path file and, when asked, switches an existing settings record to German. The program
// then ends without a window.
class InstallerMode final {
  public:
    // Switches the settings record of a data folder to German; leaves a folder without one alone
    // and says why in the error.
    using GermanSwitch = std::function<Result<void>(const QString &dataFolder)>;

    // True when the command line asks for the installer's start.
    static bool requested(const CommandLine &commandLine);
    // Runs it; the exit code of the program (0, or 1 when the folder could not be stored or the
    // settings asked for could not be switched).
    static int run(const CommandLine &commandLine, PathFile &file, const GermanSwitch &switchToGerman);
};

} // namespace tarvo::core
