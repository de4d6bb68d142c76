#pragma once

#include "listext/TagQueue.h"
#include "platform/query/CsvImport.h"
#include "platform/query/MassUpdate.h"
#include "platform/query/TextSearch.h"
#include "platform/runtime/Result.h"

#include <QCheckBox>
#include <QLabel>
#include <QPointer>
#include <QString>
#include <QVariant>

#include <functional>
#include <optional>
#include <vector>

class QIODevice;
class QWidget;

namespace tarvo::data {
class View;
}

namespace tarvo::ui {
class WindowManager;
}

namespace tarvo::listext {
struct SourceRow;
class ViewRowSource;
} // namespace tarvo::listext

namespace tarvo::listext::ui {

class BrowseList;

// What a list window's tag tools work on, and what differs between windows.
struct TagToolsDeclaration final {
    TagQueue *tags = nullptr;
    ViewRowSource *source = nullptr; // the rows of the tagged list
    QString idField;                 // the field tagged by ("BUG:ID")
    // The further fields whose values, with the ID, tell a tagged row apart (a purchase's program
    // and date, where one customer bought several); none: the ID alone.
    QStringList tagFields;
    QString dataFolder;      // where the saved queries are kept
    QString queryKey;        // the section of the saved queries ("BROWSEBUGS")
    QString title;           // the window's title without a query
    QString queryMark;       // what stands between the title and the query's description
    QString exportName;      // the export dialog's proposed file
    QString importCaption;   // the caption of the import's report
    bool tagMovesOn = false; // ?DASTAG goes on to the next row
    // Asks for the export (save) or import file in place of the file dialogs (tests answer this
    // way); none: the dialogs ask. A blank answer cancels.
    std::function<std::optional<QString>(QWidget *parent, bool save)> askPath;
    // Sets the list's filter: the window's own, the query's and the tagged rows' parts.
    std::function<Result<void>()> applyFilter;
    // Reads the list again under its filter.
    std::function<void()> reload;
    // The ids of the rows of the view that hold the text.
    std::function<Result<std::vector<qint64>>(const data::View &view, const QString &text, bool ignoreCase,
                                              const query::TextSearch::Progress &progress)>
        search;
    // Writes the records of the ids as CSV; the number written.
    std::function<Result<int>(const std::vector<qint64> &ids, QIODevice &out)> writeCsv;
    // In place of writeCsv for a list tagged by further fields: writes the tagged rows.
    std::function<Result<int>(const std::vector<TagQueue::Tag> &tags, QIODevice &out)> writeTagged;
    // Reads records from CSV text.
    std::function<Result<query::ImportReport>(const QString &text)> readCsv;
};

// The tag tools of a window's list: tagging, "Show only tagged records", the text search that
// tags its hits, saved queries with the title that names them, export and import of the tagged
// records, and mass update. The window places the widgets and declares the rest.
class TagTools final {
  public:
    TagTools(tarvo::ui::WindowManager &window, BrowseList &list, TagToolsDeclaration declaration);

    QCheckBox *makeOnlyTagged(QWidget *parent);
    QLabel *makeTagCount(QWidget *parent);
    // Follows the switch once the window is open.
    void watchOnlyTagged();
    QCheckBox *onlyTagged() const { return m_onlyTagged; }

    // The buttons of the tools; false for any other.
    bool takeAccepted(const QString &upperName);

    void tagCurrent(bool moveOn);
    void tagAll();
    void untagAll();
    QString tagCountText() const;
    void tagsChanged();
    void setOnlyTagged(bool on);
    // Tags the rows that hold the text and shows only them; none found untags all, shows the
    // whole list and says so.
    void searchText(const QString &text, bool ignoreCase);

    // The list's filter parts of the tools: the tagged rows while only they are shown, the query.
    QStringList filterParts();
    const QString &queryFilter() const { return m_queryFilter; }
    const QString &queryDescription() const { return m_queryDescription; }
    void chooseQuery();
    Result<void> applyQuery(const QString &description);
    void voidQuery();
    void showTitle();

    Result<int> exportTagged(const QString &path);
    Result<query::ImportReport> importFile(const QString &path);
    void askExport();
    void askImport();
    // Asks for the values and runs `run` over the tagged rows, then reads the list again.
    void massUpdate(query::MassUpdate &update,
                    const std::function<Result<void>(const std::vector<qint64> &ids,
                                                     const query::MassUpdate &update)> &run);

    // The tag of the list's row (its ID and further fields).
    TagQueue::Tag tagOf(int row) const;
    bool isTagged(const SourceRow &row) const;

  private:
    void showError(const Error &error) const;
    // The tag of a row whose fields `valueOf` reads.
    TagQueue::Tag tagFrom(const std::function<QVariant(const QString &)> &valueOf) const;

    tarvo::ui::WindowManager &m_window;
    BrowseList &m_list;
    TagToolsDeclaration m_declaration;
    QPointer<QCheckBox> m_onlyTagged;
    QPointer<QLabel> m_tagCount;
    QString m_queryFilter;
    QString m_queryDescription;
};

} // namespace tarvo::listext::ui
