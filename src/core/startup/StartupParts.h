#pragma once

#include "core/startup/InstallerMode.h"
#include "core/startup/LoadDataPath.h"
#include "platform/runtime/Result.h"

#include <QString>

#include <functional>
#include <memory>

namespace tarvo {
class Context;
}

namespace tarvo::core {

class SettingsFile;

// What ProgramMain calls outside itself, step by step. forProgram() gives the program's own
// parts; tests replace single members to watch or answer them.
struct StartupParts final {
    // The INI manager on "Tarvo.INI" (opened first, ended last).
    std::function<void(const QString &path)> openIni;
    std::function<void()> endIni;
    std::function<void()> setUpTranslator;
    // The path file and how to ask for the data folder.
    QString pathFile;
    DataPathPrompt prompt;
    InstallerMode::GermanSwitch switchToGerman;
    // Registers every data file of the folder with the layout upgrade (once per process) and
    // gives the contexts that already run their file and relation managers.
    std::function<Result<void>(const QString &dataFolder)> registerFiles;
    // The settings file of the registered data folder, for the first context.
    std::function<std::unique_ptr<SettingsFile>(Context &first)> settingsFile;
    // "/C": the data-conversion window.
    std::function<void(Context &first)> conversions;
    // The application frame; returns when the user has closed it.
    std::function<void(Context &first)> frame;
    // The shutdown's calls into the network library and the HTML editor.
    std::function<void()> netCloseCallBackWindow;
    std::function<void(const QString &line)> netDebugTrace;
    std::function<void()> releaseHtmlEditor;

    // The program's parts: the INI manager, the path dialog of the master-data services, the
    // data layer, the registered procedures and the trace on standard error.
    static StartupParts forProgram();
};

} // namespace tarvo::core
