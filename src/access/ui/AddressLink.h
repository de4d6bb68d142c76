#pragma once

#include <QString>

namespace tarvo::access {

// Hands a user's telephone number, mail or web address to the desktop; an empty one is refused
// with "No address specified!".
class AddressLink final {
  public:
    // scheme: "tel:", "mailto:", or empty for a web address taken as it is.
    static void open(const QString &scheme, const QString &address);
};

} // namespace tarvo::access
