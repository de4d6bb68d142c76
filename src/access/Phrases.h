#pragma once

#include <QString>

#include <utility>
#include <vector>

namespace tarvo::access {

// The library's own phrase table: its German texts and their English forms. The library's
// windows and messages are written in German and pass through it when the language is English.
class Phrases final {
  public:
    static const std::vector<std::pair<QString, QString>> &table();
    // The English form of a German text; the text itself when the table does not hold it.
    // The first row found counts ("Beschreibung" is listed twice).
    static QString english(const QString &german);
};

} // namespace tarvo::access
