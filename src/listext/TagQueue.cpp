#include "listext/TagQueue.h"

#include <algorithm>

namespace tarvo::listext {

bool TagQueue::contains(const Tag &tag) const
{
    return std::binary_search(m_tags.begin(), m_tags.end(), tag);
}

void TagQueue::add(const Tag &tag)
{
    const auto at = std::lower_bound(m_tags.begin(), m_tags.end(), tag);
    if (at == m_tags.end() || *at != tag)
        m_tags.insert(at, tag);
}

bool TagQueue::toggle(const Tag &tag)
{
    const auto at = std::lower_bound(m_tags.begin(), m_tags.end(), tag);
    if (at != m_tags.end() && *at == tag) {
        m_tags.erase(at);
        return false;
    }
    m_tags.insert(at, tag);
    return true;
}

std::vector<qint64> TagQueue::ids() const
{
    std::vector<qint64> ids;
    ids.reserve(m_tags.size());
    for (const Tag &tag : m_tags)
        if (ids.empty() || ids.back() != tag.id)
            ids.push_back(tag.id);
    return ids;
}

Result<void> TagQueue::tagAll(const std::function<Result<std::vector<Tag>>()> &nextPage)
{
    m_tags.clear();
    Result<void> outcome;
    for (;;) {
        auto page = nextPage();
        if (!page) {
            outcome = page.error();
            break;
        }
        if (page->empty())
            break;
        m_tags.insert(m_tags.end(), page->begin(), page->end());
    }
    std::sort(m_tags.begin(), m_tags.end());
    m_tags.erase(std::unique(m_tags.begin(), m_tags.end()), m_tags.end());
    return outcome;
}

Result<void> TagQueue::tagAll(const std::function<Result<std::vector<qint64>>()> &nextPage)
{
    return tagAll([&]() -> Result<std::vector<Tag>> {
        auto page = nextPage();
        if (!page)
            return page.error();
        std::vector<Tag> tags;
        tags.reserve(page->size());
        for (qint64 id : *page)
            tags.push_back(Tag{id});
        return tags;
    });
}

QString TagQueue::countText(const std::function<QString(const QString &)> &translate) const
{
    return countText(size(), translate);
}

QString TagQueue::countText(int n, const std::function<QString(const QString &)> &translate)
{
    if (n == 0)
        return QString();
    return QString::number(n) + u' ' +
           translate(n == 1 ? QStringLiteral("record") : QStringLiteral("records")) + u' ' +
           translate(QStringLiteral("marked."));
}

} // namespace tarvo::listext
