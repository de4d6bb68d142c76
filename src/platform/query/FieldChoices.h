#pragma once

#include "platform/runtime/Result.h"

#include <QString>
#include <QStringList>

#include <vector>

namespace tarvo {
class IniFile;
}

namespace tarvo::query {

// The values the mass update offers for some fields, as the caller gathers them before the
// dialog: per field its choices in order, and whether the value must be one of them (a drop
// list) or may be typed freely (a combo box). Kept in an INI file with one section per field:
// entries "1", "2", ... and "NoComboBox" = "1" for a drop list.
class FieldChoices final {
  public:
    struct Entry final {
        QString field; // "BUG:STATUS"
        QStringList choices;
        bool dropList = false;
    };

    // A field given twice keeps its first entry.
    void add(const QString &field, const QStringList &choices, bool dropList = false);
    const Entry *find(const QString &field) const;
    const std::vector<Entry> &entries() const { return m_entries; }

    Result<void> save(IniFile &ini) const;
    static FieldChoices load(const IniFile &ini);

  private:
    std::vector<Entry> m_entries;
};

} // namespace tarvo::query
