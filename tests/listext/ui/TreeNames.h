#pragma once

#include "listext/ui/RelationTree.h"

#include <gtest/gtest.h>
#include <memory>

namespace tarvo::listext::test {

// The section numbers of a program tree.
struct ProgramTreeSections final {
    int programs = 0;
    int releases = 0;
    int files = 0;
};

// Joins three files to the tree as programs (with their sub-programs) over a headed section of
// their releases and one of their program files.
inline void addProgramTree(ui::RelationTree &tree, std::shared_ptr<ui::RelationTreeFile> programs,
                           std::shared_ptr<ui::RelationTreeFile> releases,
                           std::shared_ptr<ui::RelationTreeFile> files, ProgramTreeSections &sections)
{
    using ui::RelationTreeHeader;
    tree.setColumnHeaders({QStringLiteral("Program")});
    sections.programs = tree.addFileSection(std::move(programs));
    sections.releases = tree.addFileSection(std::move(releases));
    tree.addHeaderSection(std::make_shared<RelationTreeHeader>(QStringList{QStringLiteral("Releases")}),
                          sections.releases);
    sections.files = tree.addFileSection(std::move(files));
    tree.addHeaderSection(std::make_shared<RelationTreeHeader>(QStringList{QStringLiteral("Program files")}),
                          sections.files);
    tree.addChildSection(sections.releases, sections.programs, 0);
    tree.addChildSection(sections.files, sections.programs, 0);
    ASSERT_TRUE(tree.addRecursion(sections.programs, 1).ok());
}

// The row under parent whose first column shows the name; invalid when there is none.
inline QModelIndex childNamed(const QAbstractItemModel &model, const QModelIndex &parent, const QString &name)
{
    for (int r = 0; r < model.rowCount(parent); ++r)
        if (model.data(model.index(r, 0, parent)).toString() == name)
            return model.index(r, 0, parent);
    return {};
}

// The first-column texts of the rows under parent.
inline QStringList childNames(const QAbstractItemModel &model, const QModelIndex &parent)
{
    QStringList out;
    for (int r = 0; r < model.rowCount(parent); ++r)
        out << model.data(model.index(r, 0, parent)).toString();
    return out;
}

} // namespace tarvo::listext::test
