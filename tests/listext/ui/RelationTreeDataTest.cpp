#include "listext/ui/IssueFolder.h"
#include "listext/ui/ModelCheck.h"
#include "listext/ui/ProgramTree.h"
#include "listext/ui/RelationTree.h"
#include "listext/ui/RelationTreeView.h"
#include "listext/ui/TreeNames.h"
#include "platform/data/View.h"
#include "platform/runtime/Translator.h"
#include "support/ScriptedMessages.h"
#include "support/TempDir.h"

#include <QTreeView>

#include <gtest/gtest.h>

using namespace tarvo;
using namespace tarvo::listext::ui;
using tarvo::listext::test::IssueFolder;

namespace {

// Programs (with their sub-programs) over their releases and program files, read from the store.
class ProgramTreeOverTheStore : public ::testing::Test {
  protected:
    void SetUp() override
    {
        ASSERT_TRUE(folder.ok()) << folder.error().toStdString();
        ASSERT_TRUE(addProgramTree(tree, folder.session()));
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
    QStringList column(const QString &sql, const QVariantList &params = {})
    {
        QStringList out;
        for (const QVariant &v : folder.column(sql, params))
            out << v.toString();
        return out;
    }

    test::TempDir dir;
    test::ScriptedMessages messages;
    IssueFolder folder{dir.file(QStringLiteral("data"))};
    RelationTree tree;
    QTreeView view;
    std::unique_ptr<RelationTreeView> controller;
    std::unique_ptr<listext::test::ModelCheck> check;
};

TEST_F(ProgramTreeOverTheStore, LoadsExpandsReloadsAndKeepsTheSelection)
{
    tree.refresh(RelationTree::Load);
    EXPECT_EQ(names(top()), column(QStringLiteral("SELECT PrgName FROM Programs WHERE P = 0 ORDER BY Sort")));

    const QModelIndex alpha = child(top(), QStringLiteral("Alpha"));
    ASSERT_TRUE(alpha.isValid());
    tree.expandNode(alpha, false);
    EXPECT_EQ(names(alpha), (QStringList{QStringLiteral("Releases"), QStringLiteral("Programfiles"),
                                         QStringLiteral("Alpha Pro")}));
    const qint64 alphaId = folder.programId(QStringLiteral("Alpha"));
    // The releases key runs by release descending.
    EXPECT_EQ(names(child(alpha, QStringLiteral("Releases"))),
              column(QStringLiteral("SELECT Release FROM Releases WHERE PRGID = ? ORDER BY Release DESC"),
                     {alphaId}));
    EXPECT_EQ(
        names(child(alpha, QStringLiteral("Programfiles"))),
        column(QStringLiteral("SELECT FILE FROM Programfiles WHERE PRGID = ? ORDER BY FILE"), {alphaId}));
    const QModelIndex pro = child(alpha, QStringLiteral("Alpha Pro"));
    tree.expandNode(pro, false);
    EXPECT_EQ(names(child(pro, QStringLiteral("Releases"))), QStringList{QStringLiteral("5.0")});

    view.setCurrentIndex(child(child(alpha, QStringLiteral("Releases")), QStringLiteral("1.1")));
    ASSERT_EQ(text(view.currentIndex()), QStringLiteral("1.1"));

    // A release added by someone else shows after the reload; the open nodes and the selection stay.
    data::FileManager &releases = folder.file(QStringLiteral("Releases"));
    data::Record added = releases.newRecord();
    added.setValue(QStringLiteral("PRGID"), alphaId);
    added.setValue(QStringLiteral("PRGNAME"), QStringLiteral("Alpha"));
    added.setValue(QStringLiteral("Release"), QStringLiteral("1.2"));
    ASSERT_TRUE(releases.insert(added).ok());
    controller->takeEvent(4065);
    const QModelIndex alphaAgain = child(top(), QStringLiteral("Alpha"));
    EXPECT_TRUE(view.isExpanded(alphaAgain));
    EXPECT_TRUE(view.isExpanded(child(alphaAgain, QStringLiteral("Alpha Pro"))));
    EXPECT_EQ(names(child(alphaAgain, QStringLiteral("Releases"))),
              (QStringList{QStringLiteral("2.0"), QStringLiteral("1.2"), QStringLiteral("1.1"),
                           QStringLiteral("1.0")}));
    EXPECT_EQ(text(view.currentIndex()), QStringLiteral("1.1"));
    EXPECT_EQ(text(tree.parent(tree.parent(view.currentIndex()))), QStringLiteral("Alpha"));

    // The selected release is deleted: the reload selects the nearest row that remains above it.
    data::Record gone = releases.newRecord();
    const auto path = tree.fetchRow(view.currentIndex());
    ASSERT_TRUE(releases.fetchRow(path.back().second.position.toLongLong(), gone).ok());
    ASSERT_TRUE(releases.remove(gone).ok());
    tree.refresh(RelationTree::Reload);
    EXPECT_EQ(text(view.currentIndex()), QStringLiteral("Releases"));
    EXPECT_EQ(names(child(child(top(), QStringLiteral("Alpha")), QStringLiteral("Releases"))),
              (QStringList{QStringLiteral("2.0"), QStringLiteral("1.2"), QStringLiteral("1.0")}));
    EXPECT_TRUE(messages.texts().isEmpty()) << messages.texts().join(QLatin1Char('\n')).toStdString();
}

TEST_F(ProgramTreeOverTheStore, ItsCaptionsFollowTheLanguage)
{
    Translator::instance().addTable();
    RelationTree german;
    const bool added = bool(addProgramTree(german, folder.session()));
    Translator::instance() = Translator();
    ASSERT_TRUE(added);
    german.refresh(RelationTree::Load);
    EXPECT_EQ(german.headerData(0, Qt::Horizontal).toString(), QStringLiteral("Programm"));
    const QModelIndex alpha = listext::test::childNamed(german, german.index(0, 0), QStringLiteral("Alpha"));
    ASSERT_TRUE(alpha.isValid());
    german.expandNode(alpha, false);
    EXPECT_EQ(listext::test::childNames(german, alpha),
              (QStringList{QStringLiteral("Releases"), QStringLiteral("Programmdateien"),
                           QStringLiteral("Alpha Pro")}));
}

} // namespace
