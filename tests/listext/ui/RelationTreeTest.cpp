#include "listext/ui/RelationTree.h"

#include "listext/ui/ModelCheck.h"
#include "listext/ui/ProgramTree.h"
#include "listext/ui/RelationTreeView.h"
#include "listext/ui/TreeNames.h"
#include "support/ScriptedMessages.h"
#include "support/TempDir.h"

#include <QPushButton>
#include <QTreeView>

#include <gtest/gtest.h>

using namespace tarvo;
using namespace tarvo::listext::ui;

namespace {

// Rows of one in-memory file: an ID, the ID of the row it belongs to, and a name.
struct Table {
    struct Row {
        int id;
        int owner;
        QString name;
    };
    std::vector<Row> rows;
    int reads = 0;
};

// Programs at the top (owner 0) and under other programs; releases and program files under a
// program.
class MemorySection final : public RelationTreeFile {
  public:
    MemorySection(Table &table, QString name, bool top) : m_table(table), m_name(std::move(name)), m_top(top)
    {
    }

    Result<std::vector<TreeRecord>> records(const TreePath &parents, bool recursion) override
    {
        ++m_table.reads;
        (void)recursion;
        const int owner = parents.empty() ? 0 : parents.back().second.values.at(0).toInt();
        if (parents.empty() && !m_top)
            return std::vector<TreeRecord>{};
        std::vector<TreeRecord> out;
        for (const auto &r : m_table.rows)
            if (r.owner == owner)
                out.push_back(TreeRecord{QString::number(r.id), {r.id, r.name}});
        return out;
    }
    QString fileName() const override { return m_name; }
    void formatRow(TreeRowFormat &row, const TreePath &path, bool expanded, bool contracted,
                   bool empty) override
    {
        row.texts << path.back().second.values.at(1).toString();
        setIcon(row, 0, expanded ? Expanded : contracted ? Contracted : empty ? Empty : Plain);
    }
    void primeInsert(const TreePath &parent) override { primedUnder = parent; }

    TreePath primedUnder;

  private:
    Table &m_table;
    QString m_name;
    bool m_top;
};

class CountingTree final : public RelationTree {
  public:
    int loads = 0;
    void afterLoad() override { ++loads; }
};

class ProgramTreeTest : public ::testing::Test {
  protected:
    void SetUp() override
    {
        programs.rows = {{1, 0, QStringLiteral("Alpha")},
                         {2, 0, QStringLiteral("Beta")},
                         {3, 1, QStringLiteral("Alpha Pro")}};
        releases.rows = {
            {10, 1, QStringLiteral("1.0")}, {11, 1, QStringLiteral("1.1")}, {12, 3, QStringLiteral("2.0")}};
        files.rows = {{20, 1, QStringLiteral("alpha.exe")}};
        programSection = std::make_shared<MemorySection>(programs, QStringLiteral("Programs"), true);
        releaseSection = std::make_shared<MemorySection>(releases, QStringLiteral("Releases"), false);
        fileSection = std::make_shared<MemorySection>(files, QStringLiteral("Programfiles"), false);
        Result<ProgramTreeSections> added = addProgramTree(tree, programSection, releaseSection, fileSection);
        ASSERT_TRUE(added);
        sections = *added;
        programSection->addIcon(0, RelationTreeSection::Contracted, QStringLiteral("closed.ico"));
        programSection->addIcon(0, RelationTreeSection::Expanded, QStringLiteral("open.ico"));
        releaseSection->addIcon(0, RelationTreeSection::Empty, QStringLiteral("closed.ico"));
        controller = std::make_unique<RelationTreeView>(tree, &view);
        check = std::make_unique<listext::test::ModelCheck>(&tree);
    }

    QString text(const QModelIndex &i) const { return tree.data(i).toString(); }
    QModelIndex child(const QModelIndex &parent, const QString &name) const
    {
        return listext::test::childNamed(tree, parent, name);
    }
    // The "Programs" row, over the top-level programs.
    QModelIndex top() const { return tree.index(0, 0); }
    QStringList names(const QModelIndex &parent) const { return listext::test::childNames(tree, parent); }

    test::ScriptedMessages messages;
    Table programs, releases, files;
    std::shared_ptr<MemorySection> programSection, releaseSection, fileSection;
    CountingTree tree;
    QTreeView view;
    ProgramTreeSections sections;
    std::unique_ptr<RelationTreeView> controller;
    std::unique_ptr<listext::test::ModelCheck> check;
};

TEST_F(ProgramTreeTest, LoadsLazilyAndExpandsIntoSectionsAndSubPrograms)
{
    tree.refresh(RelationTree::Load);
    EXPECT_EQ(names(top()), (QStringList{QStringLiteral("Alpha"), QStringLiteral("Beta")}));
    const QModelIndex alpha = child(top(), QStringLiteral("Alpha"));
    EXPECT_TRUE(tree.hasChildren(alpha));
    EXPECT_TRUE(tree.hasChildren(
        child(top(), QStringLiteral("Beta")))); // its empty sections still show their headers
    EXPECT_EQ(tree.iconNames(), (QStringList{QStringLiteral("closed.ico"), QStringLiteral("open.ico")}));

    tree.expandNode(alpha, false);
    EXPECT_EQ(names(alpha), (QStringList{QStringLiteral("Releases"), QStringLiteral("Programfiles"),
                                         QStringLiteral("Alpha Pro")}));
    const QModelIndex rel = child(alpha, QStringLiteral("Releases"));
    EXPECT_EQ(names(rel), (QStringList{QStringLiteral("1.0"), QStringLiteral("1.1")}));
    const QModelIndex pro = child(alpha, QStringLiteral("Alpha Pro"));
    tree.expandNode(pro, false);
    const QModelIndex proRel = child(pro, QStringLiteral("Releases"));
    EXPECT_EQ(names(proRel), QStringList{QStringLiteral("2.0")});
    const TreePath path = tree.fetchRow(child(proRel, QStringLiteral("2.0")));
    ASSERT_EQ(path.size(), 3u);
    EXPECT_EQ(path[0].second.values.at(1).toString(), QStringLiteral("Alpha"));
    EXPECT_EQ(path[1].second.values.at(1).toString(), QStringLiteral("Alpha Pro"));
    EXPECT_EQ(path[2].first, sections.releases);

    tree.contractNode(alpha, false);
    EXPECT_FALSE(view.isExpanded(alpha));
    tree.expandNode(alpha, false); // the sub-program that was open opens again
    EXPECT_TRUE(tree.isRemembered(child(alpha, QStringLiteral("Alpha Pro"))));
    EXPECT_EQ(names(child(child(alpha, QStringLiteral("Alpha Pro")), QStringLiteral("Releases"))),
              QStringList{QStringLiteral("2.0")});
}

// Without the model tester, which reads every node to check it.
TEST_F(ProgramTreeTest, ReadsNothingBelowAClosedNode)
{
    check.reset();
    tree.refresh(RelationTree::Load);
    const QModelIndex alpha = child(top(), QStringLiteral("Alpha"));
    EXPECT_TRUE(tree.canFetchMore(alpha));
    EXPECT_EQ(tree.rowCount(alpha), 0);
    const int readsBefore = releases.reads;
    tree.expandNode(alpha, false);
    EXPECT_EQ(tree.rowCount(alpha), 3);
    EXPECT_GT(releases.reads, readsBefore);
    EXPECT_EQ(tree.rowCount(child(alpha, QStringLiteral("Alpha Pro"))), 0);
}

TEST_F(ProgramTreeTest, ReloadKeepsOpenNodesAndTheSelection)
{
    tree.refresh(RelationTree::Load);
    tree.expandNode(child(top(), QStringLiteral("Alpha")), false);
    const QModelIndex alpha = child(top(), QStringLiteral("Alpha"));
    view.setCurrentIndex(child(child(alpha, QStringLiteral("Releases")), QStringLiteral("1.1")));

    releases.rows.push_back({13, 1, QStringLiteral("1.2")});
    controller->takeEvent(4065);
    const QModelIndex alphaAgain = child(top(), QStringLiteral("Alpha"));
    EXPECT_TRUE(view.isExpanded(alphaAgain));
    EXPECT_EQ(names(child(alphaAgain, QStringLiteral("Releases"))),
              (QStringList{QStringLiteral("1.0"), QStringLiteral("1.1"), QStringLiteral("1.2")}));
    EXPECT_EQ(text(view.currentIndex()), QStringLiteral("1.1"));

    // The selected release is gone: its nearest remaining row above is selected.
    std::erase_if(releases.rows, [](const Table::Row &r) { return r.id == 11; });
    tree.refresh(RelationTree::Reload);
    EXPECT_EQ(text(view.currentIndex()), QStringLiteral("Releases"));
    EXPECT_EQ(text(tree.parent(view.currentIndex())), QStringLiteral("Alpha"));

    tree.refresh(RelationTree::ContractAll);
    EXPECT_FALSE(view.isExpanded(child(top(), QStringLiteral("Alpha"))));
    tree.refresh(RelationTree::ExpandAll);
    EXPECT_TRUE(view.isExpanded(child(child(top(), QStringLiteral("Alpha")), QStringLiteral("Alpha Pro"))));
}

TEST_F(ProgramTreeTest, AnEmptyLastSectionStillEndsTheLoad)
{
    programs.rows.clear();
    tree.refresh(RelationTree::ExpandAll);
    // Only the "Programs" row is left, to add the first program on.
    EXPECT_EQ(names({}), QStringList{QStringLiteral("Programs")});
    EXPECT_EQ(tree.rowCount(top()), 0);
    EXPECT_EQ(tree.loads, 1);
    programs.rows = {{1, 0, QStringLiteral("Alpha")}};
    tree.refresh(RelationTree::Load); // no longer exploding: the node stays closed
    EXPECT_FALSE(view.isExpanded(child(top(), QStringLiteral("Alpha"))));
    EXPECT_EQ(tree.loads, 2);
}

TEST_F(ProgramTreeTest, InsertsThroughTheWindowAndReadsTheParentAgain)
{
    QPushButton insert, change, remove;
    controller->setButtons(&insert, &change, &remove, nullptr);
    int ranUpdate = 0, ranRequest = 0;
    controller->setRunner([&](int update, int request, std::function<void(int)> done) {
        ranUpdate = update;
        ranRequest = request;
        releases.rows.push_back({14, 1, QStringLiteral("3.0")});
        done(1);
    });
    releaseSection->setUpdateOptions(7, true, true, true);
    programSection->setUpdateOptions(6, true, true, false);
    tree.refresh(RelationTree::Load);
    const QModelIndex alpha = child(top(), QStringLiteral("Alpha"));
    tree.expandNode(alpha, false);
    view.setCurrentIndex(child(alpha, QStringLiteral("Releases")));
    EXPECT_TRUE(controller->currentRights().insert);
    EXPECT_FALSE(controller->currentRights().change); // the header allows no change of its own
    insert.click();
    EXPECT_EQ(ranUpdate, 7);
    EXPECT_EQ(ranRequest, 1);
    ASSERT_EQ(releaseSection->primedUnder.size(), 1u);
    EXPECT_EQ(releaseSection->primedUnder[0].second.values.at(1).toString(), QStringLiteral("Alpha"));
    EXPECT_TRUE(names(child(child(top(), QStringLiteral("Alpha")), QStringLiteral("Releases")))
                    .contains(QStringLiteral("3.0")));

    view.setCurrentIndex(child(top(), QStringLiteral("Beta")));
    EXPECT_FALSE(remove.isEnabled());
}

TEST_F(ProgramTreeTest, ColumnWidthsAndProgrammingErrors)
{
    test::TempDir dir;
    IniFile ini(dir.file(QStringLiteral("User.ini")));
    tree.setColumnHeaders({QStringLiteral("A"), QStringLiteral("B"), QStringLiteral("C")});
    view.setColumnWidth(0, 150);
    view.setColumnWidth(1, 42);
    view.setColumnWidth(2, 1020);
    ASSERT_TRUE(controller->saveColumnWidths(ini, QStringLiteral("BrowseBugs"), 1).ok());
    EXPECT_EQ(ini.value(QStringLiteral("BrowseBugs"), QStringLiteral("Tree Column Width1")),
              QStringLiteral("150") + QChar(0xB0) + QStringLiteral("42") + QChar(0xB0) +
                  QStringLiteral("1020"));
    view.setColumnWidth(0, 10);
    view.setColumnHidden(1, true);
    controller->restoreColumnWidths(ini, QStringLiteral("BrowseBugs"), 1);
    EXPECT_EQ(view.columnWidth(0), 150);
    EXPECT_TRUE(view.isColumnHidden(1));

    const int header = tree.addHeaderSection(std::make_shared<RelationTreeHeader>(), sections.programs);
    EXPECT_FALSE(tree.addRecursion(header).ok());
    EXPECT_EQ(messages.stops().value(0),
              QStringLiteral("Programming Error! Recursion supported only for views."));
}

} // namespace
