#include "listext/RowSource.h"

#include <algorithm>
#include <deque>

namespace tarvo::listext {

int RowSource::fieldIndex(const QString &field) const
{
    const QStringList all = fields();
    for (int i = 0; i < all.size(); ++i)
        if (all.at(i).compare(field.trimmed(), Qt::CaseInsensitive) == 0)
            return i;
    return -1;
}

Result<std::optional<SourceRow>> RowSource::skip(const SourceRow *anchor, qint64 distance, bool forward)
{
    // Only the row reached is kept: pages of rows are read and dropped on the way.
    std::optional<SourceRow> at;
    if (anchor)
        at = *anchor;
    while (distance > 0) {
        const int n = int(std::min<qint64>(distance, 1000));
        auto page = forward ? rowsAfter(at ? &*at : nullptr, n) : rowsBefore(at ? &*at : nullptr, n);
        if (!page)
            return page.error();
        if (int(page->size()) < n)
            return std::optional<SourceRow>();
        distance -= n;
        at = std::move(forward ? page->back() : page->front());
    }
    return at;
}

namespace {

class PagedReader final : public RowReader {
  public:
    PagedReader(RowSource &source, int pageSize) : m_source(source), m_pageSize(std::max(1, pageSize)) {}

    Result<bool> next(SourceRow &row) override
    {
        if (m_buffer.empty()) {
            if (m_done)
                return false;
            auto page = m_source.rowsAfter(m_started ? &m_last : nullptr, m_pageSize);
            if (!page)
                return page.error();
            m_started = true;
            if (static_cast<int>(page->size()) < m_pageSize)
                m_done = true;
            for (auto &r : page.value())
                m_buffer.push_back(std::move(r));
            if (m_buffer.empty())
                return false;
        }
        row = std::move(m_buffer.front());
        m_buffer.pop_front();
        if (m_buffer.empty())
            m_last = row;
        return true;
    }

  private:
    RowSource &m_source;
    int m_pageSize;
    bool m_started = false;
    bool m_done = false;
    SourceRow m_last;
    std::deque<SourceRow> m_buffer;
};

} // namespace

std::unique_ptr<RowReader> readAllRows(RowSource &source, int pageSize)
{
    return std::make_unique<PagedReader>(source, pageSize);
}

} // namespace tarvo::listext
