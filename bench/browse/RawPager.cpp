#include "RawPager.h"

#include "common/RawDb.h"

#include <algorithm>

namespace tarvo::bench {

namespace {
std::string u8(const QString &s)
{
    return s.toStdString();
}
} // namespace

RawPager::RawPager(RawDb &db, const QString &selectList,
                   const std::vector<std::pair<QString, bool>> &keyColumns, const BrowseOrder &order,
                   const BrowseSelection &s)
{
    std::vector<std::string> where;
    auto number = [&](const char *term, qint64 v) {
        where.emplace_back(term);
        m_numbers.push_back(v);
        m_texts.emplace_back();
        m_isText.push_back(false);
    };
    auto text = [&](const char *term, const QString &v) {
        where.emplace_back(term);
        m_numbers.push_back(0);
        m_texts.push_back(u8(v));
        m_isText.push_back(true);
    };
    switch (order.range) {
    case BrowseOrder::Range::None:
        break;
    case BrowseOrder::Range::Category:
        number("Category = ?", s.tab);
        break;
    case BrowseOrder::Range::Program:
        number("PrgID = ?", s.program);
        break;
    case BrowseOrder::Range::Release:
        number("PrgID = ?", s.program);
        text("Version = ? COLLATE tarvo_cs", s.release);
        break;
    case BrowseOrder::Range::Programfile:
        number("PrgID = ?", s.program);
        text("Programfile = ? COLLATE tarvo_cs", s.file);
        break;
    }
    if (order.filter.contains(QLatin1String("Gray")))
        where.emplace_back("Gray = 0");
    if (order.filter.contains(QLatin1String("Category")))
        number("Category = ?", s.tab);
    // The program limit as the list of the programs it names, which the indexes on PrgID serve.
    std::string programs;
    for (const QString &id : s.programLimit.split(QLatin1Char('|'), Qt::SkipEmptyParts))
        programs += (programs.empty() ? "" : ", ") + std::to_string(id.toLongLong());
    where.push_back("PrgID IN (" + programs + ")");

    std::string forward, backward;
    for (const auto &[column, descending] : keyColumns) {
        const std::string c = u8(column);
        forward += (forward.empty() ? "" : ", ") + c + (descending ? " DESC" : "");
        backward += (backward.empty() ? "" : ", ") + c + (descending ? "" : " DESC");
    }
    std::string base;
    for (const std::string &w : where)
        base += (base.empty() ? "" : " AND ") + w;
    const std::string head = "SELECT " + u8(selectList) + " FROM \"Bugs\" WHERE " + base;
    const std::string limit = " LIMIT " + std::to_string(kPageRows);
    // Every order ends in the issue number descending: later in the list means a lower number.
    m_first = std::make_unique<RawStatement>(db.handle(), head + " ORDER BY " + forward + limit);
    m_after = std::make_unique<RawStatement>(db.handle(), head + " AND ID < ? ORDER BY " + forward + limit);
    m_before = std::make_unique<RawStatement>(db.handle(), head + " AND ID > ? ORDER BY " + backward + limit);
    m_last = std::make_unique<RawStatement>(db.handle(), head + " ORDER BY " + backward + limit);
    m_count = std::make_unique<RawStatement>(db.handle(), "SELECT COUNT(*) FROM \"Bugs\" WHERE " + base);
}

int RawPager::bindBase(RawStatement &st)
{
    st.reset();
    for (size_t i = 0; i < m_isText.size(); ++i) {
        if (m_isText[i])
            st.bind(int(i) + 1, m_texts[i]);
        else
            st.bind(int(i) + 1, std::int64_t(m_numbers[i]));
    }
    return int(m_isText.size()) + 1;
}

std::vector<qint64> RawPager::read(RawStatement &st, bool backwards)
{
    const std::vector<std::int64_t> read = st.readIds(backwards);
    std::vector<qint64> ids(read.begin(), read.end());
    if (!ids.empty())
        m_position = backwards ? ids.front() : ids.back();
    return ids;
}

std::vector<qint64> RawPager::firstPage()
{
    bindBase(*m_first);
    return read(*m_first, false);
}

std::vector<qint64> RawPager::nextPage()
{
    m_after->bind(bindBase(*m_after), std::int64_t(m_position));
    return read(*m_after, false);
}

std::vector<qint64> RawPager::previousPage()
{
    m_before->bind(bindBase(*m_before), std::int64_t(m_position));
    return read(*m_before, true);
}

std::vector<qint64> RawPager::lastPage()
{
    bindBase(*m_last);
    return read(*m_last, true);
}

qint64 RawPager::count()
{
    bindBase(*m_count);
    const qint64 n = m_count->step() ? m_count->integer(0) : 0;
    m_count->reset();
    return n;
}

} // namespace tarvo::bench
