#include "core/startup/LoadDataPath.h"

#include "core/startup/ErrorWithCode.h"
#include "core/startup/PathFile.h"
#include "platform/runtime/Messages.h"
#include "platform/runtime/ProgramInfo.h"

#include <QDir>
#include <QFileInfo>

namespace tarvo::core {

namespace {

// Opens the file, creating it first when it does not exist; failures stop as the runtime does.
Result<void> openOrCreate(PathFile &file)
{
    auto opened = file.open();
    if (opened || opened.error().code != PathFile::ErrorFileNotFound)
        return opened;
    if (auto made = file.create(); !made) {
        Messages::stop(made.error().message);
        return made;
    }
    if (auto again = file.open(); !again) {
        Messages::stop(again.error().message);
        return again;
    }
    return {};
}

Error cannotAsk(int mode, const QString &folder)
{
    const QString text =
        mode == 1 ? QStringLiteral("No data folder is set, and no window can be shown to ask for one.")
                  : QStringLiteral("The data folder \"%1\" does not exist, and no window can be shown to "
                                   "ask for another one.")
                        .arg(folder);
    Messages::show(text, ProgramInfo::productName(), MessageIcon::Exclamation);
    return makeError(PathFile::ErrorFileNotFound, text);
}

} // namespace

QString dataFolderOf(const QString &storedPath)
{
    QString folder = storedPath;
    if (folder.size() > 1 && folder.endsWith(u'/'))
        folder.chop(1);
    return folder;
}

Result<QString> LoadDataPath(PathFile &file, const DataPathPrompt &prompt)
{
    bool defaultTried = false;
    for (;;) {
        auto stored = file.read();
        int mode = 1;
        QString folder;
        if (stored) {
            folder = dataFolderOf(*stored);
            if (!folder.isEmpty() && QFileInfo(folder).isDir())
                return folder;
            mode = 2;
        } else if (stored.error().code != PathFile::ErrorRecordNotFound) {
            Messages::stop(stored.error().message);
            return stored.error();
        }

        if (mode == 1 && !prompt.defaultFolder.isEmpty() && !defaultTried) {
            defaultTried = true;
            if (!QDir().mkpath(prompt.defaultFolder)) {
                Messages::show(
                    QStringLiteral("The data folder \"%1\" could not be created.").arg(prompt.defaultFolder),
                    ProgramInfo::productName(), MessageIcon::Exclamation);
            } else if (auto added = file.add(prompt.defaultFolder); !added) {
                Messages::stop(added.error().message);
                return added.error();
            } else {
                continue;
            }
        }

        // Without a window the dialog would return at once and this loop would never end.
        if (!prompt.canAsk || !prompt.canAsk() || !prompt.pathsDialog)
            return cannotAsk(mode, folder);
        file.close();
        prompt.pathsDialog(mode);
        if (auto reopened = openOrCreate(file); !reopened)
            return reopened.error();
    }
}

Result<QString> findDataFolder(PathFile &file, const DataPathPrompt &prompt)
{
    auto opened = file.open();
    if (!opened && opened.error().code == PathFile::ErrorFileNotFound)
        opened = openOrCreate(file);
    else if (!opened)
        Messages::show(QStringLiteral("Error opening file ") + file.fileName() + QStringLiteral("!|Error: ") +
                           withCode(opened.error()),
                       ProgramInfo::productName(), MessageIcon::Information);
    if (!opened) {
        file.close();
        return opened.error();
    }
    auto folder = LoadDataPath(file, prompt);
    file.close();
    return folder;
}

} // namespace tarvo::core
