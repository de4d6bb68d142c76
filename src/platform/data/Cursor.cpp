#include "platform/data/Cursor.h"

#include "platform/data/View.h"

namespace tarvo::data {

void Cursor::reset()
{
    m_current.reset();
    m_inclusive = false;
}

void Cursor::setPosition(const Record &record)
{
    m_current = record;
    m_inclusive = true;
}

Result<std::optional<Record>> Cursor::first()
{
    reset();
    return step(true);
}

Result<std::optional<Record>> Cursor::last()
{
    reset();
    return step(false);
}

Result<std::optional<Record>> Cursor::next()
{
    return step(true);
}

Result<std::optional<Record>> Cursor::previous()
{
    return step(false);
}

Result<std::optional<Record>> Cursor::step(bool forward)
{
    auto page = forward ? nextPage(1) : previousPage(1);
    if (!page)
        return page.error();
    if (page->empty())
        return std::optional<Record>();
    return std::optional<Record>(page->front());
}

Result<std::vector<Record>> Cursor::nextPage(int n)
{
    const Record *anchor = m_current ? &*m_current : nullptr;
    auto rows = m_view.rowsAfter(anchor, n, m_inclusive);
    if (rows && !rows->empty()) {
        m_current = rows->back();
        m_inclusive = false;
    }
    return rows;
}

Result<std::vector<Record>> Cursor::previousPage(int n)
{
    const Record *anchor = m_current ? &*m_current : nullptr;
    auto rows = m_view.rowsBefore(anchor, n, false);
    if (rows && !rows->empty()) {
        m_current = rows->front();
        m_inclusive = false;
    }
    return rows;
}

} // namespace tarvo::data
