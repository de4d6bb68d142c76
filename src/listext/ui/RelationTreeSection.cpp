#include "listext/ui/RelationTreeSection.h"

#include "listext/ui/RelationTree.h"

namespace tarvo::listext::ui {

void RelationTreeSection::setUpdateOptions(int updateNumber, bool insert, bool change, bool remove)
{
    m_update = updateNumber;
    allowInsert = insert;
    allowChange = change;
    allowDelete = remove;
}

void RelationTreeSection::setColumnColors(int column, int set, int text, int background, int selectedText,
                                          int selectedBackground)
{
    m_colours[{column, set}] = {text, background, selectedText, selectedBackground};
}

void RelationTreeSection::addIcon(int column, State state, const QString &iconName)
{
    if (m_tree)
        m_tree->registerIcon(iconName);
    m_icons[{column, state}] = iconName;
}

void RelationTreeSection::formatRow(TreeRowFormat &row, const TreePath &path, bool expanded, bool contracted,
                                    bool empty)
{
    if (!path.empty())
        for (const QVariant &v : path.back().second.values)
            row.texts << v.toString();
    const State state = expanded ? Expanded : contracted ? Contracted : empty ? Empty : Plain;
    for (int c = 0; c < row.texts.size(); ++c) {
        applyColors(row, c, 0);
        setIcon(row, c, state);
    }
}

void RelationTreeSection::applyColors(TreeRowFormat &row, int column, int set) const
{
    auto it = m_colours.find({column, set});
    if (it == m_colours.end())
        it = m_colours.find({-1, set});
    if (it == m_colours.end() && set == 0)
        it = m_colours.find({0, 0});
    if (it != m_colours.end())
        row.colours[column] = it->second;
}

void RelationTreeSection::setIcon(TreeRowFormat &row, int column, State state) const
{
    if (auto it = m_icons.find({column, state}); it != m_icons.end())
        row.icons[column] = it->second;
}

Result<bool> RelationTreeFile::hasRecords(const TreePath &parents, bool recursion)
{
    auto r = records(parents, recursion);
    if (!r)
        return r.error();
    return !r->empty();
}

void RelationTreeHeader::formatRow(TreeRowFormat &row, const TreePath &path, bool expanded, bool contracted,
                                   bool empty)
{
    (void)path;
    row.texts = m_captions;
    const State state = expanded ? Expanded : contracted ? Contracted : empty ? Empty : Plain;
    for (int c = 0; c < std::max<int>(1, m_captions.size()); ++c) {
        applyColors(row, c, 0);
        setIcon(row, c, state);
    }
}

} // namespace tarvo::listext::ui
