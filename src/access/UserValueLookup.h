#pragma once

#include <QString>

namespace tarvo::access {

// Answers VUVUZU_GETVALUE: facts about the logged-in user (copies made at login) and about
// other users (read from the store by their whole code). Safe on any thread.
class UserValueLookup final {
  public:
    static QString value(const QString &key, const QString &userCode);
};

} // namespace tarvo::access
