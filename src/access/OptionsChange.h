#pragma once

#include "access/AccessRepository.h"

namespace tarvo::access {

// Saves the options record as the options form edited it: a new master password is stored as a
// hash, and a changed master code or password is stamped with today, now and who changed it.
// The saved options become those of this process's later checks.
class OptionsChange final {
  public:
    // before: the record as the form read it (empty when there was none); newMasterPassword blank
    // keeps the stored one.
    static Result<OptionsRecord> save(AccessRepository &repository,
                                      const std::optional<OptionsRecord> &before, OptionsRecord edited,
                                      const QString &newMasterPassword);
};

} // namespace tarvo::access
