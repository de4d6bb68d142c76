#pragma once

#include "listext/ColumnDefinition.h"
#include "listext/RowSource.h"
#include "listext/TableRows.h"

#include <QAbstractTableModel>
#include <QStringList>

#include <array>
#include <map>
#include <vector>

namespace tarvo::listext::ui {

// The rows of a browse list for a view: read from a row source a page at a time as the user
// scrolls down, shown in the columns the user chose.
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
    void setPageSize(int rows) { m_pageSize = rows; }
    void setFormatter(CellFormatter formatter) { m_formatter = std::move(formatter); }

    // Reads the list again from its first row; an error leaves the list empty.
    Result<void> reload();
    Result<void> setOrder(const std::vector<SortKey> &keys);
    Result<void> setFilter(const QString &expression);

    const SourceRow *sourceRow(int row) const;
    QVariant rawValue(int row, const QString &field) const;
    // The cell's text as the list shows it: formatted with the column's picture, left-aligned.
    QString cellText(int row, const QString &field) const;
    const Error &lastError() const { return m_lastError; }

    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;
    bool canFetchMore(const QModelIndex &parent) const override;
    void fetchMore(const QModelIndex &parent) override;

  private:
    struct Decoration {
        QString header;
        std::array<int, 4> colors{-1, -1, -1, -1};
    };
    Decoration &decoration(const QString &field);
    QVariant shownValue(int row, int column) const;
    QString textOf(const ColumnDefinition *definition, const QVariant &value) const;

    RowSource &m_source;
    ColumnDefinitions m_definitions;
    QStringList m_shown;
    std::vector<const ColumnDefinition *> m_shownDefinitions;
    std::vector<int> m_sourceColumns;            // per shown column, its index in the source's fields
    std::map<QString, Decoration> m_decorations; // by upper-case field
    std::vector<SourceRow> m_rows;
    bool m_atEnd = false;
    bool m_fetching = false;
    int m_pageSize = 100;
    CellFormatter m_formatter = plainCellText;
    Error m_lastError;
};

} // namespace tarvo::listext::ui
