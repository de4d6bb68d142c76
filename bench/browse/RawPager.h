#pragma once

#include "BrowseOrder.h"
#include "Pager.h"
#include "common/RawStatement.h"

#include <memory>
#include <string>

namespace tarvo::bench {

class RawDb;

// The same rows as DataLayerPager read by hand-written SQL on the C API: the range and filter as
// plain WHERE terms, the key's ORDER BY, LIMIT 100, and paging by the issue number alone (every
// other component of a browse order is fixed by its range or filter). Statements are prepared once.
class RawPager final : public Pager {
  public:
    RawPager(RawDb &db, const QString &selectList, const std::vector<std::pair<QString, bool>> &keyColumns,
             const BrowseOrder &order, const BrowseSelection &selection);

    std::vector<qint64> firstPage() override;
    std::vector<qint64> nextPage() override;
    std::vector<qint64> previousPage() override;
    std::vector<qint64> lastPage() override;
    qint64 count() override;

    // The statements' SQL, for query plans.
    std::string firstSql() const { return m_first->sql(); }
    std::string nextSql() const { return m_after->sql(); }
    std::string previousSql() const { return m_before->sql(); }
    std::string lastSql() const { return m_last->sql(); }
    std::string countSql() const { return m_count->sql(); }

  private:
    // Binds the range and filter values from parameter 1 on; answers the next free number.
    int bindBase(RawStatement &st);
    std::vector<qint64> read(RawStatement &st, bool backwards);

    std::vector<std::string> m_texts; // bound without copies: must outlive the statements' runs
    std::vector<std::int64_t> m_numbers;
    std::vector<bool> m_isText;
    std::unique_ptr<RawStatement> m_first, m_after, m_before, m_last, m_count;
    qint64 m_position = 0;
};

} // namespace tarvo::bench
