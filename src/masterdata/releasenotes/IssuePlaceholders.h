#pragma once

#include "platform/data/Record.h"

#include <QString>
#include <QStringList>

#include <functional>
#include <optional>

namespace tarvo::data {
class FileManager;
}

namespace tarvo::masterdata {

// Fills the issue placeholders of a template ("^BUG:STATUS^", "^BUG:PRGNAME^", "^DATE^" ...) from
// one issue record: each placeholder, in any letter case, becomes the issue's value formatted by
// its kind; a placeholder it does not know, or whose value cannot be found, stays as written.
class IssuePlaceholders final {
  public:
    // The name of the user with these initials; empty when there is none.
    using UserName = std::function<QString(const QString &initials)>;

    // programs: the file "^BUG:PRGNAME^" is read from (may be null: the placeholder then stays).
    IssuePlaceholders(data::FileManager *programs, UserName userName);

    QString fill(const data::Record &issue, const QString &text) const;
    // The placeholders of an issue layout, in the order they are filled ("^BUG:ID^" ... "^TIME^").
    static QStringList names(const data::RecordLayout &issues);

    // The longest text a filled template keeps.
    static constexpr int MaxLength = 16384;

  private:
    std::optional<QString> valueOf(const data::Record &issue, const QString &field) const;

    data::FileManager *m_programs;
    UserName m_userName;
};

} // namespace tarvo::masterdata
