#pragma once

#include "platform/runtime/Result.h"

#include <QString>

namespace tarvo::access {

// Argon2id hashes of passwords (libsodium). No password is ever stored or shown as text.
class PasswordHash final {
  public:
    static Result<QString> hash(const QString &password);
    static bool verify(const QString &storedHash, const QString &password);
    // The history compares without regard to case: it hashes and checks the folded password.
    static QString historyForm(const QString &password) { return password.toCaseFolded(); }
    // Tests lower the cost to libsodium's minimum; the program never calls this.
    static void useMinimumCostForTests();
};

} // namespace tarvo::access
