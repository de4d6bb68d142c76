#pragma once

#include "access/AccessRepository.h"
#include "access/SecurityFile.h"

#include <functional>

namespace tarvo::access {

// ImportSec: brings a security file into the catalogue (Proc, Resource). New entries are added,
// known ones updated (a control keeps its number and so its grants), entries the file no longer
// lists are removed, and every new control is granted to every existing user. All of it is one
// transaction; a file that cannot be read or is empty or cut short changes nothing.
class SecurityImport final {
  public:
    // Progress in percent, for the progress window.
    using Progress = std::function<void(int percent)>;

    // Imports the file of the given name (looked up by VuvuzuPaths); shows its own messages.
    static Result<void> run(AccessRepository &repository, const QString &securityFileName,
                            const Progress &progress = {});
    // The import of rows already read.
    static Result<void> apply(AccessRepository &repository, const std::vector<SecurityRow> &rows,
                              const Progress &progress = {});
};

} // namespace tarvo::access
