#pragma once

#include <QString>
#include <QStringList>

#include <optional>

namespace tarvo::listext {

// The sixteen named colours (and "None") of the column colours and the graph colours, with their
// values in the 00BBGGRR form; -1 is "None", the list's own colour.
class ColourNames final {
  public:
    // "None" first, then the sixteen colours, in the order the drop lists offer them.
    static QStringList names();
    // Exact, case-sensitive; nothing for an unknown name.
    static std::optional<int> value(const QString &name);
    static std::optional<QString> name(int value);
};

} // namespace tarvo::listext
