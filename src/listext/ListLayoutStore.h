#pragma once

#include "platform/runtime/IniFile.h"
#include "platform/runtime/Result.h"

#include <QString>
#include <QStringList>

#include <vector>

namespace tarvo::listext {

// The list-wide settings of a layout beside its columns.
struct ListAppearance final {
    bool horizontalScroll = false;
    int lineHeight = 0;
    QString fontName;
    int fontSize = 0;
    int fontColor = 0;
    int fontStyle = 400;

    bool operator==(const ListAppearance &) const = default;
};

// One column of a sort, named by its field.
struct SortColumn final {
    QString field;
    bool descending = false;

    bool operator==(const SortColumn &) const = default;
};

// What a restore hands back to the list.
struct RestoredLayout final {
    QStringList formats; // stored format n at index n - 1
    ListAppearance appearance;
    bool dropped = false; // nothing stored, or the list's design changed: the design layout stays
};

// Keeps one list's layout and sort in the user's INI file, in the window's section, under keys
// that end in the list's name ("XploreFormatString-?Browse:11" ...). Values are written whole,
// and sort columns are named by field, never by their place on the screen.
class ListLayoutStore final {
  public:
    ListLayoutStore(IniFile ini, QString section, QString listName);

    // Writes every stored format, the design format and the appearance.
    Result<void> saveLayout(const QStringList &formats, const QString &designFormat,
                            const ListAppearance &appearance);
    // Reads the stored layout; when the stored design format differs from the list's design
    // format (first start, or a changed design), the stored layout is dropped and every format
    // is the design format. `formatCount` formats are returned.
    RestoredLayout restoreLayout(const QString &designFormat, const ListAppearance &design,
                                 int formatCount = 1) const;

    // Sort columns: several are written each followed by the degree sign; one alone without it.
    Result<void> saveSort(const std::vector<SortColumn> &columns, bool multiColumn);
    std::vector<SortColumn> restoreSort() const;

    QString key(const QString &prefix) const { return prefix + m_listName; }

  private:
    IniFile m_ini;
    QString m_section;
    QString m_listName;
};

} // namespace tarvo::listext
