#include "core/startup/StartupParts.h"

#include "core/services/MasterDataServices.h"
#include "core/services/Services.h"
#include "core/startup/DataFilesOnly.h"
#include "core/startup/IniManager.h"
#include "core/startup/PathFile.h"
#include "core/startup/ProgramProcedures.h"
#include "core/startup/StoreSettingsFile.h"
#include "core/startup/TarvoData.h"
#include "platform/runtime/Context.h"
#include "platform/runtime/ProgramFolder.h"

#include <cstdio>

namespace tarvo::core {

StartupParts StartupParts::forProgram()
{
    StartupParts parts;
    parts.openIni = &IniManager::open;
    parts.endIni = &IniManager::end;
    // The translator holds no table until the settings ask for German.
    parts.setUpTranslator = [] {};
    parts.pathFile = PathFile::defaultPath();
    parts.prompt.pathsDialog = [](int mode) { Services::masterData()->paths(mode); };
    // Only the program knows whether a display is there to show the dialog on.
    parts.prompt.canAsk = [] { return false; };
    // scripts/run asks for a data folder of its own on the first run instead of the dialog.
    const QString firstRun = qEnvironmentVariable("TARVO_DEFAULT_DATA");
    if (!firstRun.isEmpty() && firstRun != QLatin1String("0"))
        parts.prompt.defaultFolder = ProgramFolder::filePath(QStringLiteral("Data"));
    parts.switchToGerman = &StoreSettingsFile::switchToGerman;
    parts.registerFiles = &TarvoData::open;
    parts.settingsFile = [](Context &first) -> std::unique_ptr<SettingsFile> {
        if (!TarvoData::dictionary())
            return nullptr;
        return std::make_unique<StoreSettingsFile>(*TarvoData::dictionary(), first.number());
    };
    parts.conversions = [](Context &first) {
        if (auto procedure = ProgramProcedures::datenkonvertieren())
            procedure(first);
        else
            DataFilesOnly::run(first);
    };
    parts.frame = [](Context &first) {
        if (auto procedure = ProgramProcedures::tarvo())
            procedure(first);
    };
    // The network library keeps no call-back window of its own; its trace goes to standard error.
    parts.netCloseCallBackWindow = [] {};
    parts.netDebugTrace = [](const QString &line) {
        std::fprintf(stderr, "%s\n", line.toLocal8Bit().constData());
    };
    // The HTML editor holds nothing that outlives its windows.
    parts.releaseHtmlEditor = [] {};
    return parts;
}

} // namespace tarvo::core
