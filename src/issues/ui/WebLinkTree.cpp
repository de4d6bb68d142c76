#include "issues/ui/WebLinkTree.h"

#include "core/lists/ReadKeyOrder.h"
#include "listext/ui/RelationTree.h"
#include "platform/data/Record.h"
#include "platform/runtime/Translator.h"

namespace tarvo::issues::ui {

using listext::ui::RelationTreeSection;
using listext::ui::TreePath;
using listext::ui::TreeRecord;
using listext::ui::TreeRowFormat;

WebLinkTreeFile::WebLinkTreeFile(data::Session &session, bool top) : m_session(session), m_top(top) {}

Result<std::vector<TreeRecord>> WebLinkTreeFile::records(const TreePath &parents, bool recursion)
{
    (void)recursion;
    std::vector<TreeRecord> out;
    const auto take = [&out](const data::Record &r) {
        out.push_back(TreeRecord{QString::number(r.integer(QStringLiteral("ID"))),
                                 {r.integer(QStringLiteral("ID")), r.text(QStringLiteral("Description")),
                                  r.text(QStringLiteral("Link")).trimmed(), r.integer(QStringLiteral("Sort")),
                                  r.integer(QStringLiteral("P"))}});
    };
    std::optional<Error> failed;
    if (m_top) {
        // The program's top-level entries, already in sort order by the program's key.
        if (m_prgId <= 0)
            return out;
        failed = core::readKeyOrder(m_session, QStringLiteral("WebLinks"),
                                    QStringLiteral("WEB:KeyPrgIDSortDescription"), {m_prgId},
                                    [&take](const data::Record &r) {
                                        if (r.integer(QStringLiteral("P")) == 0)
                                            take(r);
                                    });
    } else if (!parents.empty()) {
        failed = core::readKeyOrder(m_session, QStringLiteral("WebLinks"), QStringLiteral("WEB:KeyPSort"),
                                    {parents.back().second.values.value(Id)}, take);
    }
    if (failed)
        return *failed;
    return out;
}

void WebLinkTreeFile::formatRow(TreeRowFormat &row, const TreePath &path, bool expanded, bool contracted,
                                bool empty)
{
    const QVariantList &values = path.back().second.values;
    const QString link = values.value(Link).toString();
    row.texts << values.value(Description).toString() << link;
    // A link keeps its own icon whatever hangs below it; only folders open and close.
    State state = Plain;
    if (link.isEmpty())
        state = empty ? Empty : expanded ? Expanded : contracted ? Contracted : Empty;
    setIcon(row, 0, state);
    applyColors(row, 0, 0);
    applyColors(row, 1, 0);
}

Result<WebLinkTreeSections> addWebLinkTree(listext::ui::RelationTree &tree,
                                           std::shared_ptr<WebLinkTreeFile> top,
                                           std::shared_ptr<WebLinkTreeFile> children)
{
    const auto translated = [](const char *text) {
        return Translator::instance().translate(QString::fromLatin1(text));
    };
    WebLinkTreeSections sections;
    tree.setColumnHeaders({translated("Description"), translated("Link")});
    for (WebLinkTreeFile *file : {top.get(), children.get()}) {
        file->setUpdateOptions(4, true, true, true);
        file->addIcon(0, RelationTreeSection::Plain, QStringLiteral("~WEB.ICO"));
        file->addIcon(0, RelationTreeSection::Expanded, QStringLiteral("~OPENED.ICO"));
        file->addIcon(0, RelationTreeSection::Contracted, QStringLiteral("~CLOSED.ICO"));
        file->addIcon(0, RelationTreeSection::Empty, QStringLiteral("~EMPTY.ICO"));
    }
    sections.top = tree.addFileSection(std::move(top));
    sections.children = tree.addFileSection(std::move(children));
    auto header = std::make_shared<listext::ui::RelationTreeHeader>(QStringList{translated("Web Links")});
    listext::ui::RelationTreeHeader *caption = header.get();
    sections.header = tree.addHeaderSection(std::move(header), sections.top);
    caption->setColumnColors(-1, 0, 0xFFFFFF, 0x808080, 0xFFFFFF, 0x808080);
    caption->addIcon(0, RelationTreeSection::Plain, QStringLiteral("~CLOSED.ICO"));
    // Only the top level has the caption row; every entry may hold entries of its own.
    tree.addChildSection(sections.children, sections.top, 0);
    if (Result<void> recursion = tree.addRecursion(sections.children); !recursion)
        return recursion.error();
    return sections;
}

} // namespace tarvo::issues::ui
