#include "listext/ListLayoutStore.h"

#include <utility>

namespace tarvo::listext {

namespace {

const QChar Separator(0xB0);

Result<void> firstError(std::initializer_list<Result<void>> results)
{
    for (const auto &r : results)
        if (!r)
            return r.error();
    return {};
}

} // namespace

ListLayoutStore::ListLayoutStore(IniFile ini, QString section, QString listName)
    : m_ini(std::move(ini)), m_section(std::move(section)), m_listName(std::move(listName))
{
}

Result<void> ListLayoutStore::saveLayout(const QStringList &formats, const QString &designFormat,
                                         const ListAppearance &a)
{
    for (int n = 0; n < formats.size(); ++n)
        if (auto r =
                m_ini.setValue(m_section, key(QStringLiteral("XploreFormatString-")) + QString::number(n + 1),
                               formats.at(n));
            !r)
            return r;
    return firstError({
        m_ini.setValue(m_section, key(QStringLiteral("XploreOrigFormatString-")), designFormat),
        m_ini.setValue(m_section, key(QStringLiteral("XploreHscroll-")),
                       a.horizontalScroll ? QStringLiteral("1") : QStringLiteral("0")),
        m_ini.setIntValue(m_section, key(QStringLiteral("XploreLineHeight-")), a.lineHeight),
        m_ini.setValue(m_section, key(QStringLiteral("XploreFont-")), a.fontName),
        m_ini.setIntValue(m_section, key(QStringLiteral("XplorePoint-")), a.fontSize),
        m_ini.setIntValue(m_section, key(QStringLiteral("XploreColor-")), a.fontColor),
        m_ini.setIntValue(m_section, key(QStringLiteral("XploreStyle-")), a.fontStyle),
    });
}

RestoredLayout ListLayoutStore::restoreLayout(const QString &designFormat, const ListAppearance &design,
                                              int formatCount) const
{
    RestoredLayout out;
    out.appearance = design;
    const QString stored =
        m_ini.value(m_section, key(QStringLiteral("XploreOrigFormatString-")), QStringLiteral("0"));
    if (stored != designFormat) {
        out.dropped = true;
        for (int n = 0; n < formatCount; ++n)
            out.formats << designFormat;
        return out;
    }
    for (int n = 0; n < formatCount; ++n)
        out.formats << m_ini.value(
            m_section, key(QStringLiteral("XploreFormatString-")) + QString::number(n + 1), designFormat);
    ListAppearance &a = out.appearance;
    a.horizontalScroll =
        m_ini.intValue(m_section, key(QStringLiteral("XploreHscroll-")), design.horizontalScroll) != 0;
    a.lineHeight = m_ini.intValue(m_section, key(QStringLiteral("XploreLineHeight-")), design.lineHeight);
    a.fontName = m_ini.value(m_section, key(QStringLiteral("XploreFont-")), design.fontName);
    a.fontSize = m_ini.intValue(m_section, key(QStringLiteral("XplorePoint-")), design.fontSize);
    a.fontColor = m_ini.intValue(m_section, key(QStringLiteral("XploreColor-")), design.fontColor);
    a.fontStyle = m_ini.intValue(m_section, key(QStringLiteral("XploreStyle-")), design.fontStyle);
    return out;
}

Result<void> ListLayoutStore::saveSort(const std::vector<SortColumn> &columns, bool multiColumn)
{
    QString fields;
    QString directions;
    if (multiColumn) {
        for (const SortColumn &c : columns) {
            fields += c.field + Separator;
            directions += (c.descending ? QStringLiteral("1") : QStringLiteral("0")) + Separator;
        }
    } else if (!columns.empty()) {
        fields = columns.front().field;
        directions = columns.front().descending ? QStringLiteral("1") : QStringLiteral("0");
    }
    return firstError({
        m_ini.setValue(m_section, key(QStringLiteral("XplorePrevCol-")), fields),
        m_ini.setValue(m_section, key(QStringLiteral("XploreAscDesc-")), directions),
    });
}

std::vector<SortColumn> ListLayoutStore::restoreSort() const
{
    const QStringList fields =
        m_ini.value(m_section, key(QStringLiteral("XplorePrevCol-"))).split(Separator, Qt::SkipEmptyParts);
    const QStringList directions =
        m_ini.value(m_section, key(QStringLiteral("XploreAscDesc-"))).split(Separator);
    std::vector<SortColumn> columns;
    for (int i = 0; i < fields.size(); ++i)
        columns.push_back(SortColumn{fields.at(i), i < directions.size() &&
                                                       directions.at(i).trimmed() == QStringLiteral("1")});
    return columns;
}

} // namespace tarvo::listext
