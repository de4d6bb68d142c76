#pragma once

#include <QString>

namespace tarvo::access {

// How code that matches key texts in memory (the rights catalogue, the import) compares them as
// the store's case-insensitive keys do: trailing blanks cut, letters folded.
class KeyText final {
  public:
    static QString fold(const QString &text);
};

} // namespace tarvo::access
