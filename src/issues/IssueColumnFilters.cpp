#include "issues/IssueColumnFilters.h"

#include "platform/runtime/Picture.h"

namespace tarvo::issues {

using listext::XploreFilter;

namespace {

const QChar EntryEnd(0xA6);
const QChar PartMark(0xB0);

// The filter's lower, upper and equality parts ("~" before a "not equal" value).
struct Parts final {
    QString low;
    QString high;
    QString equal;
};

Parts partsOf(const XploreFilter::ColumnFilter &c)
{
    Parts p;
    if (c.literal) {
        if (c.op == QLatin1String(">"))
            p.low = c.text;
        else if (c.op == QLatin1String("<"))
            p.high = c.text;
        else
            p.equal = (c.op == QLatin1String("<>") ? QStringLiteral("~") : QString()) + c.text;
        return p;
    }
    if (c.low)
        p.low = c.text;
    if (c.high)
        p.high = c.text;
    if (c.middle)
        p.equal = c.text;
    return p;
}

} // namespace

QString IssueColumnFilters::lastSortText(const XploreFilter &filter)
{
    QString text;
    for (const QString &field : filter.filteredFields()) {
        const Parts p = partsOf(filter.columnFilter(field));
        text += field.toUpper() + PartMark + QStringLiteral("L:") + p.low + PartMark + QStringLiteral("H:") +
                p.high + PartMark + QStringLiteral("E:") + p.equal + EntryEnd;
    }
    return text;
}

void IssueColumnFilters::restore(XploreFilter &filter, const QString &text, bool upper)
{
    for (const QString &entry : text.split(EntryEnd, Qt::SkipEmptyParts)) {
        const QStringList parts = entry.split(PartMark);
        const QString field = parts.value(0).trimmed().toUpper();
        Parts p;
        for (const QString &part : parts.mid(1)) {
            const QString value = part.mid(2);
            if (part.startsWith(QLatin1String("L:")))
                p.low = value;
            else if (part.startsWith(QLatin1String("H:")))
                p.high = value;
            else if (part.startsWith(QLatin1String("E:")))
                p.equal = value;
        }
        if (field.isEmpty() || !filter.hasField(field))
            continue;
        const int set = int(!p.low.isEmpty()) + int(!p.high.isEmpty()) + int(!p.equal.isEmpty());
        if (set == 1) {
            // A filter taken from a cell keeps comparing its value literally.
            if (!p.low.isEmpty())
                filter.setValueFilter(field, XploreFilter::Operator::Greater, p.low, upper);
            else if (!p.high.isEmpty())
                filter.setValueFilter(field, XploreFilter::Operator::Less, p.high, upper);
            else if (p.equal.startsWith(QLatin1Char('~')))
                filter.setValueFilter(field, XploreFilter::Operator::NotEqual, p.equal.mid(1), upper);
            else
                filter.setValueFilter(field, XploreFilter::Operator::Equal, p.equal, upper);
        } else if (set > 1) {
            filter.setFilter(field, p.low, p.high, p.equal);
        }
    }
}

std::vector<ActiveFilter> IssueColumnFilters::active(const XploreFilter &filter,
                                                     const listext::ColumnDefinitions &columns)
{
    std::vector<ActiveFilter> rows;
    for (const QString &field : filter.filteredFields()) {
        const Parts p = partsOf(filter.columnFilter(field));
        ActiveFilter row;
        row.field = field;
        QString value;
        if (!p.low.isEmpty()) {
            row.op = QStringLiteral(">");
            value = p.low;
        } else if (!p.high.isEmpty()) {
            row.op = QStringLiteral("<");
            value = p.high;
        } else if (p.equal.startsWith(QLatin1Char('~'))) {
            row.op = QStringLiteral("<>");
            value = p.equal.mid(1);
        } else {
            row.op = QStringLiteral("=");
            value = p.equal;
        }
        QString picture;
        for (const listext::ColumnDefinition &c : columns)
            if (c.filterName() == field)
                picture = c.picture;
        if (!picture.isEmpty() && listext::isNumericKind(listext::columnKindOfPicture(picture)))
            value = Picture::format(value.toLongLong(), picture);
        value = value.trimmed();
        row.value = value.size() > 50 ? value.left(50) + QStringLiteral("...") : value;
        rows.push_back(row);
    }
    return rows;
}

} // namespace tarvo::issues
