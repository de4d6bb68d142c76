#pragma once

#include "listext/ui/ProgramTree.h"

#include <QModelIndex>

#include <functional>

class QTreeView;

namespace tarvo {
class Context;
}
namespace tarvo::data {
class Session;
}
namespace tarvo::listext::ui {
class RelationTree;
class RelationTreeView;
} // namespace tarvo::listext::ui

namespace tarvo::issues::ui {

// Opens the program, release and program-file forms from the rows of the issue browse's program
// tree: each on the browse's context, with the row's record (or the new record's program) in the
// buffer, through the master-data services.
class ProgramTreeForms final {
  public:
    ProgramTreeForms(Context &context, data::Session &session, listext::ui::RelationTree &tree,
                     listext::ui::ProgramTreeSections sections, QTreeView *view);

    // Lets the tree's Insert, Change and Delete act on its programs, releases and program files.
    void install(listext::ui::RelationTreeView &treeView);
    // Runs when a program form has closed, however it ended: its notes and attachments are kept
    // at once.
    void setProgramFormClosed(std::function<void()> closed) { m_programFormClosed = std::move(closed); }

  private:
    void run(int update, int request, std::function<void(int response)> done);
    qint64 programAbove(const QModelIndex &row) const;

    Context &m_context;
    data::Session &m_session;
    listext::ui::RelationTree &m_tree;
    listext::ui::ProgramTreeSections m_sections;
    QTreeView *m_view;
    std::function<void()> m_programFormClosed;
};

} // namespace tarvo::issues::ui
