#include "listext/ui/ViewTreeFile.h"

#include "platform/data/FileManager.h"

namespace tarvo::listext::ui {

namespace {
constexpr int kPage = 50;
}

ViewTreeFile::ViewTreeFile(data::FileManager &file, const QString &key, const QString &shownField,
                           const QString &numberField, bool top)
    : m_file(file), m_view(file, key), m_shown(shownField), m_number(numberField), m_top(top)
{
}

Result<std::vector<TreeRecord>> ViewTreeFile::records(const TreePath &parents, bool recursion)
{
    (void)recursion; // under a record of its own file as under any other owner
    if (parents.empty() && !m_top)
        return std::vector<TreeRecord>{};
    const QVariant owner = parents.empty() ? QVariant(0) : parents.back().second.values.at(0);
    m_view.setRange({owner});
    std::vector<TreeRecord> out;
    std::vector<data::Record> page;
    const data::Record *after = nullptr;
    for (;;) {
        auto rows = m_view.rowsAfter(after, kPage);
        if (!rows)
            return rows.error();
        if (rows->empty())
            return out;
        page = std::move(rows.value());
        for (const data::Record &r : page) {
            const QVariant number = m_number.isEmpty() ? QVariant(r.rowId()) : r.value(m_number);
            if (parents.empty() && m_topLimit && !m_topLimit(number))
                continue;
            out.push_back(TreeRecord{QString::number(r.rowId()), {number, r.value(m_shown)}});
        }
        after = &page.back();
    }
}

QString ViewTreeFile::fileName() const
{
    return m_file.layout().table();
}

void ViewTreeFile::formatRow(TreeRowFormat &row, const TreePath &path, bool, bool, bool)
{
    row.texts << path.back().second.values.at(1).toString();
}

} // namespace tarvo::listext::ui
