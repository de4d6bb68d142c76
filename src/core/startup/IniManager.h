#pragma once

#include <QString>

namespace tarvo {
class IniFile;
}

namespace tarvo::core {

// INIMgr: the program's "Tarvo.INI" (window positions and the class library's settings), open
// from the start-up to the end of the shutdown. Every change is on disk at once, so ending it
// has nothing left to write.
class IniManager final {
  public:
    static void open(const QString &path);
    // Null while not open.
    static IniFile *ini();
    static void end();
};

} // namespace tarvo::core
