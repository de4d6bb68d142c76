#include "core/lists/FillProgramTree.h"

#include "core/lists/ReadProgramRows.h"

#include <algorithm>
#include <map>
#include <optional>
#include <set>

namespace tarvo::core {

namespace {

class TreeBuilder final {
  public:
    TreeBuilder(const std::vector<ProgramRow> &programs, const QString &secP) : m_secP(clipped(secP))
    {
        for (const ProgramRow &program : programs)
            m_children[program.parent].push_back(&program);
        // The order of the key on parent and sort number; equal sort numbers keep the file order.
        for (auto &[parent, children] : m_children)
            std::stable_sort(children.begin(), children.end(),
                             [](const ProgramRow *a, const ProgramRow *b) { return a->sort < b->sort; });
    }

    void visitChildren(qint32 parent, qint32 level, std::vector<ProgramTreeQueueEntry> &rows)
    {
        const auto found = m_children.find(parent);
        if (found == m_children.end())
            return;
        for (const ProgramRow *program : found->second)
            visit(*program, level, rows);
    }

  private:
    void visit(const ProgramRow &program, qint32 level, std::vector<ProgramTreeQueueEntry> &rows)
    {
        // A program that is its own ancestor (a damaged parent link) would recurse for ever.
        if (!m_visited.insert(&program).second)
            return;
        std::optional<std::size_t> own;
        if (isPermitted(program.id)) {
            own = rows.size();
            rows.push_back(programRow(program, level));
        }
        visitChildren(program.id, level + 1, rows);
        if (own && m_children.contains(program.id))
            rows[*own].level = -rows[*own].level;
    }

    bool isPermitted(qint32 id) const
    {
        return m_secP.isEmpty() || m_secP.contains(QLatin1Char('|') + QString::number(id) + QLatin1Char('|'));
    }

    static ProgramTreeQueueEntry programRow(const ProgramRow &program, qint32 level)
    {
        const qint32 c = clipped(program.status) == QLatin1String("Inactive")
                             ? ProgramTreeInactiveColor
                             : ProgramTreeQueueEntry::DefaultColor;
        ProgramTreeQueueEntry row;
        row.prgName = program.prgName;
        row.col1NormalFg = row.col2NormalFg = c;
        row.col1SelectedBg = row.col2SelectedBg = c;
        row.icon = ProgramTreeQueueEntry::ProgramIcon;
        row.level = level;
        row.status = program.status;
        row.id = program.id;
        return row;
    }

    QString m_secP;
    std::map<qint32, std::vector<const ProgramRow *>> m_children;
    std::set<const ProgramRow *> m_visited;
};

} // namespace

std::vector<ProgramTreeQueueEntry> programTreeRows(const std::vector<ProgramRow> &programs,
                                                   const QString &secP, const TranslateFn &translate)
{
    std::vector<ProgramTreeQueueEntry> rows;
    ProgramTreeQueueEntry root;
    root.prgName = translated(translate, QStringLiteral("Programs"));
    root.col1NormalFg = root.col2NormalFg = ProgramTreeRootColor;
    root.col1SelectedBg = root.col2SelectedBg = ProgramTreeRootColor;
    root.icon = ProgramTreeQueueEntry::RootIcon;
    rows.push_back(root);
    TreeBuilder(programs, secP).visitChildren(0, 1, rows);
    return rows;
}

void FillProgramTree(const std::vector<ProgramRow> &programs, const QString &secP,
                     const TranslateFn &translate, ProgramTreeQueue &queue)
{
    queue.replace(programTreeRows(programs, secP, translate));
}

Result<void> FillProgramTree(data::Session &session, const QString &secP, const TranslateFn &translate,
                             ProgramTreeQueue &queue)
{
    const RowsRead<ProgramRow> read = readProgramRows(session);
    FillProgramTree(read.rows, secP, translate, queue);
    if (read.error)
        return *read.error;
    return {};
}

} // namespace tarvo::core
