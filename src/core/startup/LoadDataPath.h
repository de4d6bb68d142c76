#pragma once

#include "platform/runtime/Result.h"

#include <QString>

#include <functional>

namespace tarvo::core {

class PathFile;

// How the start-up asks for the data folder when the path file names none that exists.
struct DataPathPrompt final {
    // The path dialog Paths(mode): 1 no record 1, 2 its folder does not exist. Writes the path file.
    std::function<void(int mode)> pathsDialog;
    // False when no window can be shown, so the dialog could not ask anyone.
    std::function<bool()> canAsk;
    // When not empty: with no record 1, this folder is made and stored instead of asking (the
    // first run started by scripts/run). Asked for as usual when it cannot be made.
    QString defaultFolder;
};

// The data folder of a stored path: one trailing "/" cut (a lone "/" stays).
QString dataFolderOf(const QString &storedPath);

// LoadDataPath, on an open path file: returns the folder of record 1 once it exists, asking
// through the path dialog while there is no record or its folder is missing. The error (already
// shown to the user) means the program is to end: nobody can be asked, or the file failed.
Result<QString> LoadDataPath(PathFile &file, const DataPathPrompt &prompt);

// Opens the path file (creating it when it does not exist), runs LoadDataPath and closes it.
// Every failure has been shown when the error returns.
Result<QString> findDataFolder(PathFile &file, const DataPathPrompt &prompt);

} // namespace tarvo::core
