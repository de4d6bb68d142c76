#pragma once

#include <QString>

namespace tarvo::access {

// A user code names the user's own folder, so it must be a plain file name: no "/", "\", "..",
// control characters or characters that file names may not hold on any of our systems.
class UserCodeRules final {
  public:
    static bool isAcceptable(const QString &code);
    // A user code is one code in any case (non-ASCII letters too), as the store's keys compare it.
    static bool sameCode(const QString &a, const QString &b);
};

} // namespace tarvo::access
