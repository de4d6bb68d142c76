#pragma once

#include "listext/ui/RelationTreeSection.h"
#include "platform/runtime/Result.h"

#include <memory>

namespace tarvo::data {
class Session;
}

namespace tarvo::listext::ui {
class RelationTree;
}

namespace tarvo::issues::ui {

// The web links of the program chosen in the browse's tree: the program's top-level entries (the
// top section), or below an entry the entries whose parent it is (the child section), every level
// by its sort number. An entry without a link is a folder. Each row carries (ID, description,
// link, sort, parent).
class WebLinkTreeFile final : public listext::ui::RelationTreeFile {
  public:
    // The values of a row, by position.
    enum Value { Id, Description, Link, Sort, Parent };

    WebLinkTreeFile(data::Session &session, bool top);

    void setProgram(qint64 prgId) { m_prgId = prgId; }
    qint64 program() const { return m_prgId; }

    Result<std::vector<listext::ui::TreeRecord>> records(const listext::ui::TreePath &parents,
                                                         bool recursion) override;
    QString fileName() const override { return QStringLiteral("WebLinks"); }
    void formatRow(listext::ui::TreeRowFormat &row, const listext::ui::TreePath &path, bool expanded,
                   bool contracted, bool empty) override;

  private:
    data::Session &m_session;
    bool m_top;
    qint64 m_prgId = 0;
};

// The sections of the web-links tree, as the browse keeps them to tell a row's kind.
struct WebLinkTreeSections final {
    int top = 0;      // the program's top-level entries
    int children = 0; // entries under an entry
    int header = 0;

    bool isEntry(int section) const { return section != 0 && (section == top || section == children); }
};

// Joins the web links to a tree under one "Web Links" caption row, entries under their parents;
// `top` reads the program's top-level entries and `children` the entries under an entry.
Result<WebLinkTreeSections> addWebLinkTree(listext::ui::RelationTree &tree,
                                           std::shared_ptr<WebLinkTreeFile> top,
                                           std::shared_ptr<WebLinkTreeFile> children);

} // namespace tarvo::issues::ui
