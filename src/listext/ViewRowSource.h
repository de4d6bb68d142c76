#pragma once

#include "listext/RowSource.h"
#include "platform/data/FileManager.h"
#include "platform/data/View.h"
#include "platform/data/expr/NameTable.h"

#include <memory>
#include <optional>
#include <utility>

namespace tarvo::listext {

// The rows of one data file for a list: a data-layer view in a key's order, read a page at a
// time after the last row seen. The list's own filter and the column filters are both
// expressions of the runtime's language, joined by AND and compiled to SQL (rows an expression
// cannot select in SQL are filtered in memory).
class ViewRowSource final : public RowSource {
  public:
    // Every field of the file, named "PRE:Field", in the key's order; without a key name, in the
    // order the records were added.
    ViewRowSource(data::FileManager &file, const QString &keyName);

    // The list's own filter, always applied; an error when it cannot be read.
    Result<void> setBaseFilter(const QString &expression);
    // The values of bound names such as SecP, known to both filters.
    data::expr::NameTable &names() { return m_names; }
    data::View &view() { return *m_view; }

    QStringList fields() const override { return m_fields; }
    Result<std::vector<SourceRow>> rowsAfter(const SourceRow *anchor, int n) override;
    Result<std::vector<SourceRow>> rowsBefore(const SourceRow *anchor, int n) override;
    qint64 rowKey(const SourceRow &row) const override;
    Result<std::vector<SourceRow>> rowsAt(qint64 key, int n) override;
    Result<std::vector<SourceRow>> locate(const QVariantList &leading, int n) override;
    Result<qint64> position(const SourceRow &row) override;
    Result<std::optional<SourceRow>> skip(const SourceRow *anchor, qint64 distance, bool forward) override;
    Result<qint64> count() override;
    Result<void> setOrder(const std::vector<SortKey> &keys) override;
    Result<void> setFilter(const QString &expression) override;
    QString filter() const override { return m_filter; }
    // A copy whose view reads only these fields and those of its order (and every field while a
    // filter runs in memory): its records are partial, for reading only.
    std::unique_ptr<RowSource> narrowed(const QStringList &fields) const override;
    void dropKept() override { m_sorted.reset(); }

  private:
    // The row ids of the whole list in a header sort's order that no key serves, read once: pages
    // are read by id from them, so that paging on does not sort the range again for every page.
    struct SortedIds {
        std::vector<qint64> ids;
        QVariantList selection; // the view's rows and order they were read for
        std::pair<qint64, qint64> mark;
    };
    // The sorted ids, read again when the view's rows or order changed or the database was
    // written since; null when the list is read by keyset (an order a key serves, a filter in
    // memory).
    Result<const SortedIds *> sortedIds();
    // The index of the row in the sorted ids; -1 when it is not among them.
    qint64 sortedIndex(const SortedIds &sorted, qint64 rowId) const;
    // The rows from index `from` up to `to` (exclusive) of the sorted ids.
    Result<std::vector<SourceRow>> sortedRows(const SortedIds &sorted, qint64 from, qint64 to);
    // Whether a declared key's index gives this order.
    bool keyServes(const std::vector<data::KeyComponent> &order, bool caseInsensitive) const;
    // Where each of the row's fields stands among the fields the view reads, and whether that
    // is its last use (a value asked for twice is copied before it is moved).
    void valuePositions(std::vector<size_t> &positions, std::vector<bool> &lastUse) const;

    Result<void> applyFilters();
    // True when rows are read as plain values, without a record each.
    bool readsValuesOnly() const;
    // Rows read as values, nearest to the anchor first as the view hands them, returned in order.
    Result<std::vector<SourceRow>> valueRows(bool forward, const data::Record *anchor, int n, bool inclusive);
    std::vector<SourceRow> recordRows(std::vector<data::Record> records) const;
    // Rows in either direction from an anchor row.
    Result<std::vector<SourceRow>> rowsFromAnchor(const SourceRow *anchor, int n, bool forward);
    // The anchor's place in the order: its own record, or one made in `storage`.
    Result<const data::Record *> placeOfAnchor(const SourceRow &anchor, std::optional<data::Record> &storage);
    // A record that stands in the place in the order of a row read as values.
    Result<data::Record> placeOf(const SourceRow &row, qint64 rowId);
    // A record with the row's values at the first and last row of a page read as values, where the
    // next page either way starts.
    data::Record pageEdge(const SourceRow &row, const std::vector<size_t> &orderOnly,
                          std::vector<QVariant> orderValues) const;

    data::FileManager &m_file;
    std::unique_ptr<data::View> m_view;
    QString m_keyName;
    QStringList m_fields;
    std::vector<int> m_fieldIndexes; // the record field of each of m_fields; empty: all in order
    bool m_inMemory = false;         // a filter runs as a predicate over whole records
    data::expr::NameTable m_names;
    QString m_baseFilter;
    QString m_filter;
    bool m_keepSorted = false;
    std::shared_ptr<const SortedIds> m_sorted;
    mutable qint64 m_sortedHint = 0; // the index of the row last read from the sorted ids
};

} // namespace tarvo::listext
