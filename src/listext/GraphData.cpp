#include "listext/GraphData.h"

#include <algorithm>
#include <cmath>
#include <map>

namespace tarvo::listext {

Result<GraphData> GraphData::count(TableRowReader &rows, int column, ColumnKind kind,
                                   const QString &description, const Progress &progress)
{
    struct Entry {
        QVariant value;
        qint64 count = 0;
    };
    std::map<QString, Entry> counts;
    GraphData data;
    QStringList cells;
    const QString what = description.trimmed();
    for (;;) {
        auto more = rows.next(cells);
        if (!more)
            return more.error();
        if (!*more)
            break;
        ++data.m_records;
        const QString text = cells.value(column);
        Entry &e = counts[text];
        if (e.count++ == 0)
            e.value = rows.value(column);
        if (progress && !progress(data.m_records, text))
            return makeError(ErrorCancelled, QString());
        if (static_cast<int>(counts.size()) > MaxCategories)
            return makeError(
                ErrorTooComplex,
                QStringLiteral("Too complex to graph - exceeds max number of categories: %1 - '%2")
                    .arg(MaxCategories)
                    .arg(what));
    }
    if (counts.empty())
        return makeError(ErrorNoCategories,
                         QStringLiteral("There are no categories to Graph of '") + what + QLatin1Char('\''));
    if (counts.size() == 1)
        return makeError(ErrorOneCategory, QStringLiteral("There is only one category to Graph of '") + what +
                                               QLatin1Char('\''));
    std::vector<std::pair<QString, Entry>> ordered(counts.begin(), counts.end());
    if (isNumericKind(kind)) {
        // Numbers, dates and times in the order of their values, not of their texts.
        auto number = [](const std::pair<QString, Entry> &e, bool &ok) {
            if (e.second.value.isValid())
                return e.second.value.toDouble(&ok);
            return e.first.toDouble(&ok);
        };
        std::stable_sort(ordered.begin(), ordered.end(), [&](const auto &a, const auto &b) {
            bool okA = false;
            bool okB = false;
            const double x = number(a, okA);
            const double y = number(b, okB);
            if (okA != okB)
                return okA;
            return okA ? x < y : a.first < b.first;
        });
    }
    for (const auto &[name, e] : ordered)
        data.m_categories.push_back(GraphCategory{
            name, e.count,
            std::round(static_cast<double>(e.count) * 1000.0 / static_cast<double>(data.m_records)) / 10.0});
    return data;
}

qint64 GraphData::largestCount() const
{
    qint64 largest = 0;
    for (const auto &c : m_categories)
        largest = std::max(largest, c.count);
    return largest;
}

GraphBarLayout graphBarLayout(int width, int n)
{
    GraphBarLayout l;
    if (n <= 0)
        return l;
    if (n > 5) {
        l.gap = 4;
        l.barWidth = (width - 80) / n - 4;
        if (l.barWidth < 10) {
            l.gap = 2;
            l.barWidth = (width - 80) / n - 2;
        }
    } else {
        l.gap = (width - 160) / n / 5;
        l.barWidth = 4 * l.gap;
    }
    l.firstX = (width - ((n - 1) * (l.barWidth + l.gap) + l.barWidth)) / 2 + 32;
    return l;
}

QString dayName(int day)
{
    static const char *const names[] = {"Sunday",   "Monday", "Tuesday", "Wednesday",
                                        "Thursday", "Friday", "Saturday"};
    if (day < 1 || day > 7)
        return {};
    return QStringLiteral(" %1 =").arg(day) + QLatin1String(names[day - 1]);
}

QString barLabel(const QString &name)
{
    return name.mid(2, 2) == QStringLiteral(" =") ? name.mid(4) : name;
}

} // namespace tarvo::listext
