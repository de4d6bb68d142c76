#pragma once

#include <QString>

namespace tarvo {

// The program's own folder ($XDG_CONFIG_HOME/Tarvo, by default ~/.config/Tarvo), home of
// "Tarvo.INI", "Vuvuzu.ini" and the path file.
class ProgramFolder final {
  public:
    // The folder, created when it does not exist yet; a folder that cannot be created shows up
    // as the error of the first write into it.
    static QString path();
    // A file in the folder.
    static QString filePath(const QString &name);
};

} // namespace tarvo
