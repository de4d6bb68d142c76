#pragma once

#include "listext/ColumnDefinition.h"
#include "listext/ListFormat.h"
#include "listext/ListLayoutStore.h"
#include "listext/XploreFilter.h"
#include "listext/XploreSort.h"
#include "listext/ui/BrowseListModel.h"

#include <QMenu>
#include <QObject>
#include <QPointer>
#include <QTableView>

#include <functional>
#include <map>
#include <memory>
#include <optional>

class QAction;

namespace tarvo::listext::ui {

// The events of a list that binds the extension; a window with such a list gives these
// numbers no other meaning.
namespace XploreEvent {
constexpr int HeaderPress = 1025;
constexpr int HeaderRelease = 1026;
constexpr int PressEnded = 1028;
constexpr int RightButtonDown = 1029;
constexpr int RightButtonUp = 1030;
constexpr int ResetWindow = 1031;
constexpr int DragMove = 1032;
constexpr int MoveColumnLeft = 1034;
constexpr int MoveColumnRight = 1035;
constexpr int Properties = 1045;
constexpr int PrintPage = 1069;
constexpr int PrintAll = 1070;
constexpr int Graph = 1071;
constexpr int ExportAscii = 1072;
constexpr int ExportHtml = 1073;
constexpr int FilterEqual = 1074;
constexpr int FilterLess = 1075;
constexpr int FilterGreater = 1076;
constexpr int FilterNotEqual = 1077;
constexpr int VoidFilters = 1078;
} // namespace XploreEvent

// The browse extension bound to one list: columns the user shows, hides, moves, resizes and
// recolours (kept per user), sorting by header clicks, column filters from the clicked cell, and
// the graph, printing, export and properties of the list's popup.
class XploreClass : public QObject {
    Q_OBJECT
  public:
    // Bits of the feature mask; a clear bit disables what it names.
    enum Feature : quint32 {
        FeatureHeader = 0x400,
        FeatureWidth = 0x800,
        FeatureFixed = 0x10000,
        FeatureUnderline = 0x20000,
        FeatureRightBorder = 0x40000,
        FeatureProperties = 0x100000,
        FeatureFont = 0x2000000,
        FeatureLineHeight = 0x4000000,
        FeatureHorizontalScroll = 0x8000000,
        FeatureOutput = 0x20000000,
    };
    enum class PrintMode { View, Page };

    XploreClass(QTableView *list, RowSource &source, ColumnDefinitions columns, quint32 featureMask,
                QObject *parent = nullptr);
    ~XploreClass() override;

    // Where the layout and sort are kept: the user's INI file, the window's procedure name as
    // section, the list's control name ("?Browse:1").
    void setLayoutStore(IniFile ini, const QString &section, const QString &listName);
    IniFile *iniFile() const { return m_ini.get(); }

    QTableView *list() const { return m_list; }
    BrowseListModel *model() const { return m_model; }
    XploreFilter &filter() { return m_filter; }
    XploreSort &sort() { return m_sort; }
    quint32 featureMask() const { return m_mask; }

    void setUpper(bool upper) { m_upper = upper; }
    bool upper() const { return m_upper; }
    void setGraphEnabled(bool on) { m_graphEnabled = on; }
    void setAllowMultiSortOrders(bool on) { m_sort.setMultiColumn(on); }
    void setMultiSortOrdersReverse(bool on) { m_sort.setReverse(on); }
    // The list keeps sort orders of its own: header clicks only change the sort columns and
    // sortChanged() tells the owner.
    void setOwnSortOrders(bool own) { m_ownSortOrders = own; }
    // A click on a header that cannot be sorted says so.
    void setReorderMessage(bool on) { m_reorderMessage = on; }
    void setAsciiFileName(const QString &path) { m_asciiFileName = path; }
    void setHtmlFileName(const QString &path) { m_htmlFileName = path; }
    QString asciiFileName() const { return m_asciiFileName; }
    QString htmlFileName() const { return m_htmlFileName; }
    // Opens an exported file with the desktop's program; tests replace it.
    void setFileOpener(std::function<bool(const QString &)> opener) { m_openFile = std::move(opener); }

    // Builds the extension's part of the list popup.
    void buildPopup();
    QMenu *popup() const { return m_popup; }
    QAction *popupItem(const QString &name) const;

    // The layout and sort the user left, when the window opens; saved when it closes.
    void restoreLayout();
    void restoreSort();
    Result<void> saveLayout();

    // Runs one of the extension's events (XploreEvent); false for numbers it does not own.
    bool takeEvent(int event);
    // The cell the right button was pressed on: what the filter items and the graph act on.
    void prepareCell(const QModelIndex &index);
    int currentColumn() const { return m_currentColumn; }
    void setCurrentColumn(int column) { m_currentColumn = column; }
    QString currentField() const;

    // A header click on the model column; the sort popup on it.
    void headerClicked(int column);
    void removeSort(const QString &field);
    void removeAllSorts();
    // Sets the column filters' expression on the list and reads it again; a filter that cannot
    // be built is refused with its message and the list keeps its rows.
    Result<void> applyFilter();
    // Applies the sort columns to the list (unless it keeps its own sort orders).
    Result<void> applySort();

    ColumnStates columnStates() const;
    void applyColumnStates(const ColumnStates &columns);
    ListAppearance appearance() const;
    // The height of a row that shows one line of the font.
    static int rowHeightFor(const QFont &font);
    void applyAppearance(const ListAppearance &appearance);
    QString designFormat() const { return m_designFormat; }
    ListAppearance designAppearance() const { return m_designAppearance; }
    void resetLayout();
    // A header the user gave a column (empty: the design's header).
    void setColumnHeader(const QString &field, const QString &header);
    QString columnHeader(const QString &field) const;
    void moveColumn(int visualFrom, int visualTo);

    // Number of records of the list's view, for progress.
    virtual qint64 recordCount();
    // The outputs of the popup.
    void exportAscii();
    void exportHtml();
    QWidget *graph();
    void print(PrintMode mode);
    void properties();
    void columnColors();

    // The list window's caption, the title of exports and prints.
    QString caption() const;

  Q_SIGNALS:
    // The sort columns changed (lists with sort orders of their own build their order now).
    void sortChanged();
    // The column filters changed; the expression was set on the list.
    void filterApplied(const QString &expression);

  private:
    void showSortPopup(int column, const QPoint &globalPos);
    void filterFromCell(XploreFilter::Operator op);
    void refreshHeaders();
    // Widens the columns narrower than their captions; the design's widths stay as declared.
    void fitCaptions();
    std::vector<TableColumn> exportColumns() const;
    void exportTo(bool html);
    void showError(const Error &error) const;

    QPointer<QTableView> m_list;
    BrowseListModel *m_model = nullptr;
    quint32 m_mask = 0;
    XploreFilter m_filter;
    XploreSort m_sort;
    std::unique_ptr<IniFile> m_ini;
    std::unique_ptr<ListLayoutStore> m_store;
    QString m_designFormat;
    ListAppearance m_designAppearance;
    bool m_upper = true;
    bool m_graphEnabled = true;
    bool m_ownSortOrders = false;
    bool m_reorderMessage = false;
    QString m_asciiFileName;
    QString m_htmlFileName;
    std::function<bool(const QString &)> m_openFile;
    QPointer<QMenu> m_popup;
    int m_currentColumn = -1; // model column of the cell last right-clicked
    int m_currentRow = -1;
    std::map<QString, QString> m_headers; // upper-case field -> the user's header
};

} // namespace tarvo::listext::ui
