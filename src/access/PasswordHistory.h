#pragma once

#include "access/AccessRepository.h"

namespace tarvo::access {

// The password history of a user: whether a password was used before, and how a new one is
// recorded while only the newest `keep` passwords are kept.
class PasswordHistory final {
  public:
    // True when the password (compared without regard to case) is among the user's stored ones.
    static Result<bool> usedBefore(AccessRepository &repository, const QString &code,
                                   const QString &password);
    // Adds the password under the code, dropping the oldest entries so that at most keep remain.
    // Call it inside the transaction that saves the password itself.
    static Result<void> record(AccessRepository &repository, const QString &code, const QString &password,
                               int keep);
};

} // namespace tarvo::access
