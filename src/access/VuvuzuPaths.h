#pragma once

#include <QString>

namespace tarvo::access {

// Where the library finds its files: the program's folder with "Vuvuzu.ini" and the users' own
// folders, and the product's security file.
class VuvuzuPaths final {
  public:
    static QString programFolder();
    static QString vuvuzuIni();
    // The security file: the program's folder first (an administrator's own copy), then beside
    // the executable, then the copy built into the library. Empty when none exists.
    static QString securityFile(const QString &name);
};

} // namespace tarvo::access
