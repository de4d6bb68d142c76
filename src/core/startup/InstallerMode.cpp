#include "core/startup/InstallerMode.h"

#include "core/startup/LoadDataPath.h"
#include "core/startup/PathFile.h"
#include "platform/runtime/CommandLine.h"
#include "platform/runtime/Messages.h"
#include "platform/runtime/ProgramInfo.h"
#include "platform/runtime/Text.h"

namespace tarvo::core {

bool InstallerMode::requested(const CommandLine &commandLine)
{
    return commandLine.hasSwitch(u"/Path");
}

int InstallerMode::run(const CommandLine &commandLine, PathFile &file, const GermanSwitch &switchToGerman)
{
    auto opened = file.open();
    if (!opened && opened.error().code == PathFile::ErrorFileNotFound) {
        if (auto made = file.create(); !made)
            opened = made;
        else
            opened = file.open();
    }
    if (!opened) {
        Messages::stop(opened.error().message);
        return 1;
    }

    const QString folder = commandLine.parameter(2);
    int exitCode = 0;
    auto stored = file.read();
    if (stored) {
        if (auto written = file.update(folder); !written) {
            Messages::beep(MessageIcon::Information);
            Messages::show(QStringLiteral("Path not updated!|Error: ") + written.error().message,
                           QStringLiteral("ERROR updating path"), MessageIcon::Information);
            exitCode = 1;
        }
    } else if (auto added = file.add(folder); !added) {
        Messages::beep(MessageIcon::Information);
        Messages::show(QStringLiteral("Path not set!|Error: ") + added.error().message,
                       QStringLiteral("ERROR setting path"), MessageIcon::Information);
        exitCode = 1;
    }
    file.close();

    if (commandLine.hasSwitch(u"/Language") && commandLine.parameter(4) == QLatin1String("German") &&
        switchToGerman) {
        if (Result<void> switched = switchToGerman(dataFolderOf(Text::clip(folder))); !switched) {
            Messages::show(switched.error().message, ProgramInfo::productName(), MessageIcon::Information);
            exitCode = 1;
        }
    }
    return exitCode;
}

} // namespace tarvo::core
