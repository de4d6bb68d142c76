#include "listext/TagQueue.h"

#include <algorithm>

namespace tarvo::listext {

bool TagQueue::contains(qint64 id) const
{
    return std::binary_search(m_ids.begin(), m_ids.end(), id);
}

void TagQueue::add(qint64 id)
{
    const auto at = std::lower_bound(m_ids.begin(), m_ids.end(), id);
    if (at == m_ids.end() || *at != id)
        m_ids.insert(at, id);
}

bool TagQueue::toggle(qint64 id)
{
    const auto at = std::lower_bound(m_ids.begin(), m_ids.end(), id);
    if (at != m_ids.end() && *at == id) {
        m_ids.erase(at);
        return false;
    }
    m_ids.insert(at, id);
    return true;
}

Result<void> TagQueue::tagAll(const std::function<Result<std::vector<qint64>>()> &nextPage)
{
    m_ids.clear();
    Result<void> outcome;
    for (;;) {
        auto page = nextPage();
        if (!page) {
            outcome = page.error();
            break;
        }
        if (page->empty())
            break;
        m_ids.insert(m_ids.end(), page->begin(), page->end());
    }
    std::sort(m_ids.begin(), m_ids.end());
    m_ids.erase(std::unique(m_ids.begin(), m_ids.end()), m_ids.end());
    return outcome;
}

QString TagQueue::countText(const std::function<QString(const QString &)> &translate) const
{
    const int n = size();
    if (n == 0)
        return QString();
    return QString::number(n) + u' ' +
           translate(n == 1 ? QStringLiteral("record") : QStringLiteral("records")) + u' ' +
           translate(QStringLiteral("marked."));
}

} // namespace tarvo::listext
