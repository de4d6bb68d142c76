#pragma once

#include "listext/ColumnDefinition.h"
#include "listext/RowSource.h"
#include "listext/TableRows.h"

#include <QAbstractTableModel>
#include <QIcon>
#include <QStringList>

#include <array>
#include <deque>
#include <functional>
#include <map>
#include <vector>

namespace tarvo::listext::ui {

// What a window makes of one row beyond its fields: the values of its computed columns (by the
// columns' field names), icons by column, and the colours of the whole row (00BBGGRR, -1 the
// list's own: text, background, selected text, selected background).
struct RowLook final {
    std::map<QString, QVariant> values;
    std::map<QString, QIcon> icons;
    std::array<int, 4> colors{-1, -1, -1, -1};
    bool bold = false; // the row's font weight is 700
};

// The rows of a browse list for a view, shown in the columns the user chose. The row count is
// the whole list's (so that the scroll bar and the last row are true), but only a window of pages
// around the rows asked for is held: pages are read either way as the user scrolls, pages far
// from the view are dropped, and a jump far away starts a window there.
class BrowseListModel final : public QAbstractTableModel {
    Q_OBJECT
  public:
    // The value behind a cell, for sorting and filtering by value.
    static constexpr int RawValueRole = Qt::UserRole + 1;

    BrowseListModel(RowSource &source, ColumnDefinitions columns, QObject *parent = nullptr);

    // How a column's justification ('L', 'R', 'C' or 'D') aligns its cells and header.
    static Qt::Alignment alignmentOf(QChar justification);

    RowSource &source() const { return m_source; }
    const ColumnDefinitions &definitions() const { return m_definitions; }
    const ColumnDefinition *definition(const QString &field) const;

    // The shown columns by field, in the model's column order.
    void setShownColumns(const QStringList &fields);
    QStringList shownColumns() const { return m_shown; }
    const ColumnDefinition &shownDefinition(int column) const;
    int columnOf(const QString &field) const;
    // A header text other than the definition's (a changed header, a sort token).
    void setHeaderText(const QString &field, const QString &text);
    QString headerText(const QString &field) const;
    // Colours (00BBGGRR, -1 the list's own): text, background, selected text, selected background.
    void setColumnColors(const QString &field, int text, int background, int selectedText,
                         int selectedBackground);
    std::array<int, 4> columnColors(const QString &field) const;
    void setPageSize(int rows);
    int pageSize() const { return m_pageSize; }
    // How many pages the window holds at most.
    void setWindowPages(int pages);
    void setFormatter(CellFormatter formatter) { m_formatter = std::move(formatter); }
    // Computes each shown row's look from its fields (fieldValue) as the row is painted.
    using RowDecorator = std::function<RowLook(const SourceRow &row)>;
    void setRowDecorator(RowDecorator decorator) { m_decorator = std::move(decorator); }
    // A field's value in a row the source read; invalid for a field the source does not have.
    QVariant fieldValue(const SourceRow &row, const QString &field) const;
    // Repaints every row, as after a change that only the decorator sees (a tag).
    void redecorate();

    // Counts the list and reads it again from its first row; an error leaves the list empty.
    Result<void> reload();
    // Counts the list and reads it again at the row of that key (RowSource::rowKey), at its place
    // now; when the row is gone, at the place it had (the fallback row) or else at the same
    // position (fallbackRow). The row now at the place; -1 when the list is empty.
    Result<int> reloadAt(qint64 key, const SourceRow *fallback = nullptr, int fallbackRow = 0);
    // Reads the list again, keeping the row that is at this position.
    Result<int> refresh(int row);
    // The first row whose leading sort values are at or after these; the last row when none is,
    // -1 when the list is empty.
    Result<int> locate(const QVariantList &leading);
    Result<void> setOrder(const std::vector<SortKey> &keys);
    Result<void> setFilter(const QString &expression);

    // The row, read when it is not held; null when it cannot be read. Valid until other rows are read.
    const SourceRow *sourceRow(int row) const;
    qint64 rowKey(int row) const;
    // The first row held and how many are held.
    int firstHeld() const { return m_first; }
    int heldCount() const { return int(m_rows.size()); }
    QVariant rawValue(int row, const QString &field) const;
    // The cell's text as the list shows it: formatted with the column's picture, left-aligned.
    QString cellText(int row, const QString &field) const;
    const Error &lastError() const { return m_lastError; }

    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;

  private:
    struct Decoration {
        QString header;
        std::array<int, 4> colors{-1, -1, -1, -1};
    };
    Decoration &decoration(const QString &field);
    QVariant shownValue(int row, int column) const;
    QString textOf(const ColumnDefinition *definition, const QVariant &value) const;

    // Reading held rows: they change no row of the model, only what is held of it.
    bool hold(int row) const;
    bool holdForward(int row) const;
    bool holdBackward(int row) const;
    bool jumpTo(int row) const;
    void setHeld(std::vector<SourceRow> rows, int first) const;
    bool failed(const Error &error) const;
    // Counts the list and holds the rows read from the first of them, announced as a reset; the
    // position of the first row read (-1: none), taken before the views hear of the reset.
    Result<int> resetTo(const std::function<Result<std::vector<SourceRow>>()> &read);

    RowSource &m_source;
    ColumnDefinitions m_definitions;
    QStringList m_shown;
    std::vector<const ColumnDefinition *> m_shownDefinitions;
    std::vector<int> m_sourceColumns;            // per shown column, its index in the source's fields
    std::map<QString, Decoration> m_decorations; // by upper-case field
    mutable std::deque<SourceRow> m_rows;        // the rows held, from m_first on
    mutable int m_first = 0;
    qint64 m_count = 0;
    int m_pageSize = 100;
    int m_windowPages = 10;
    CellFormatter m_formatter = plainCellText;
    RowDecorator m_decorator;
    mutable Error m_lastError;
};

} // namespace tarvo::listext::ui
