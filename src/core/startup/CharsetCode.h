#pragma once

#include <QString>

#include <optional>

namespace tarvo::core {

// The character set names of the settings record and their numbers, and the information string
// the login receives.
class CharsetCode final {
  public:
    // The number of a character set name (trailing blanks ignored, letter case counts);
    // none for a name not in the list.
    static std::optional<int> codeOf(const QString &charset);
    // The number the start-up keeps: that of the name, or current when the name is not listed.
    static int apply(const QString &charset, int current);
    // The clipped program version, the character B0h and the number in decimal ("4.1°204").
    static QString loginInformation(int code);
};

} // namespace tarvo::core
