#pragma once

#include "listext/RowSource.h"

#include <functional>

namespace tarvo::listext {

// A row source over rows held in memory (lists built from queues, and tests). It sorts by
// value: numbers, dates and times as numbers, texts as text. A filter expression is kept as
// text; the rows it lets through are decided by a predicate the owner sets, since evaluating
// the expression language is the data layer's job.
class MemoryRowSource final : public RowSource {
  public:
    explicit MemoryRowSource(QStringList fields, std::vector<QVariantList> rows = {});

    void setRows(std::vector<QVariantList> rows);
    void setPredicate(std::function<bool(const QVariantList &)> predicate);
    // Counts every page read, so that tests can see paging.
    int pagesRead() const { return m_pagesRead; }

    QStringList fields() const override { return m_fields; }
    Result<std::vector<SourceRow>> rowsAfter(const SourceRow *anchor, int n) override;
    Result<std::vector<SourceRow>> rowsBefore(const SourceRow *anchor, int n) override;
    // The row's index among the rows set.
    qint64 rowKey(const SourceRow &row) const override;
    // RowGone also for a row the predicate hides. A row keeps its key while rows are set again
    // only when it keeps its index among them.
    Result<std::vector<SourceRow>> rowsAt(qint64 key, int n) override;
    // Without an order, the first field is taken as sorted ascending.
    Result<std::vector<SourceRow>> locate(const QVariantList &leading, int n) override;
    Result<qint64> position(const SourceRow &row) override;
    Result<std::optional<SourceRow>> skip(const SourceRow *anchor, qint64 distance, bool forward) override;
    Result<qint64> count() override;
    Result<void> setOrder(const std::vector<SortKey> &keys) override;
    Result<void> setFilter(const QString &expression) override;
    QString filter() const override { return m_filter; }

  private:
    void rebuild();
    Result<int> indexOf(const SourceRow &anchor) const;
    std::vector<SourceRow> page(int from, int n) const;

    QStringList m_fields;
    std::vector<QVariantList> m_rows;
    std::vector<SortKey> m_order;
    QString m_filter;
    std::function<bool(const QVariantList &)> m_predicate;
    std::vector<int> m_visible; // indexes into m_rows, in order
    int m_pagesRead = 0;
};

} // namespace tarvo::listext
