#include "listext/ui/IssueFolder.h"
#include "listext/ui/ModelCheck.h"
#include "listext/ui/ProgramTree.h"
#include "listext/ui/RelationTree.h"
#include "listext/ui/RelationTreeView.h"
#include "listext/ui/TreeNames.h"
#include "platform/data/View.h"
#include "support/ScriptedMessages.h"
#include "support/TempDir.h"

#include <QTreeView>

#include <gtest/gtest.h>

using namespace tarvo;
using namespace tarvo::listext::ui;
using tarvo::listext::test::IssueFolder;

namespace {

// The records of one file under the program of the row above: a view in the file's key whose
// first component is the program number (the parent program for sub-programs).
class ViewSection final : public RelationTreeFile {
  public:
    ViewSection(data::FileManager &file, const QString &key, const QString &shown, bool top)
        : m_file(file), m_view(file, key), m_shown(shown), m_top(top)
    {
    }

    Result<std::vector<TreeRecord>> records(const TreePath &parents, bool recursion) override
    {
        (void)recursion;
        if (parents.empty() && !m_top)
            return std::vector<TreeRecord>{};
        const QVariant owner = parents.empty() ? QVariant(0) : parents.back().second.values.at(0);
        m_view.setRange({owner});
        std::vector<TreeRecord> out;
        const data::Record *after = nullptr;
        std::vector<data::Record> page;
        for (;;) {
            auto rows = m_view.rowsAfter(after, 50);
            if (!rows)
                return rows.error();
            if (rows->empty())
                return out;
            page = std::move(rows.value());
            for (const data::Record &r : page) {
                const QVariant id = m_top ? r.value(QStringLiteral("ID")) : QVariant(r.rowId());
                out.push_back(TreeRecord{QString::number(r.rowId()), {id, r.value(m_shown)}});
            }
            after = &page.back();
        }
    }
    QString fileName() const override { return m_file.layout().table(); }
    void formatRow(TreeRowFormat &row, const TreePath &path, bool, bool, bool) override
    {
        row.texts << path.back().second.values.at(1).toString();
    }

  private:
    data::FileManager &m_file;
    data::View m_view;
    QString m_shown;
    bool m_top;
};

// Programs (with their sub-programs) over their releases and program files, read from the store.
class ProgramTreeOverTheStore : public ::testing::Test {
  protected:
    void SetUp() override
    {
        ASSERT_TRUE(folder.ok()) << folder.error().toStdString();
        auto programs =
            std::make_shared<ViewSection>(folder.file(QStringLiteral("Programs")),
                                          QStringLiteral("PRG:KeyPSort"), QStringLiteral("PrgName"), true);
        auto releases = std::make_shared<ViewSection>(folder.file(QStringLiteral("Releases")),
                                                      QStringLiteral("REL:KeyPrgIDRelease"),
                                                      QStringLiteral("Release"), false);
        auto files =
            std::make_shared<ViewSection>(folder.file(QStringLiteral("Programfiles")),
                                          QStringLiteral("PFIL:KeyPrgIDFile"), QStringLiteral("FILE"), false);
        ASSERT_TRUE(addProgramTree(tree, programs, releases, files));
        controller = std::make_unique<RelationTreeView>(tree, &view);
        check = std::make_unique<listext::test::ModelCheck>(&tree);
    }

    QString text(const QModelIndex &i) const { return tree.data(i).toString(); }
    QModelIndex child(const QModelIndex &parent, const QString &name) const
    {
        return listext::test::childNamed(tree, parent, name);
    }
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
    EXPECT_EQ(names({}), column(QStringLiteral("SELECT PrgName FROM Programs WHERE P = 0 ORDER BY Sort")));

    const QModelIndex alpha = child({}, QStringLiteral("Alpha"));
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
    const QModelIndex alphaAgain = child({}, QStringLiteral("Alpha"));
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
    EXPECT_EQ(names(child(child({}, QStringLiteral("Alpha")), QStringLiteral("Releases"))),
              (QStringList{QStringLiteral("2.0"), QStringLiteral("1.2"), QStringLiteral("1.0")}));
    EXPECT_TRUE(messages.texts().isEmpty()) << messages.texts().join(QLatin1Char('\n')).toStdString();
}

} // namespace
