#pragma once

#include "issues/FieldRules.h"
#include "issues/IssueListFilter.h"
#include "issues/IssueRowLook.h"
#include "issues/IssueSave.h"
#include "issues/ui/IssueDetailPanel.h"
#include "issues/ui/WebLinkTree.h"
#include "listext/ViewRowSource.h"
#include "listext/ui/ListWindow.h"
#include "listext/ui/ProgramTree.h"
#include "listext/ui/RelationTreeSection.h"
#include "listext/ui/TagTools.h"
#include "platform/query/CsvImport.h"
#include "platform/query/RegisteredFile.h"
#include "platform/runtime/IniFile.h"

#include <QModelIndex>
#include <QPointer>
#include <QSize>
#include <QString>
#include <QTreeView>

#include <functional>
#include <map>
#include <memory>
#include <optional>

class QCheckBox;
class QLabel;
class QPushButton;
class QSplitter;
class QTabBar;
class QTabWidget;

namespace tarvo::data {
class Session;
}

namespace tarvo::listext::ui {
class RelationTree;
class RelationTreeView;
} // namespace tarvo::listext::ui

namespace tarvo::issues::ui {

class ProgramTreeForms;

// Who works in the browse, and where the user's and the program's settings are kept.
struct BrowseBugsUser final {
    QString mak;                   // the user's code
    QString secP;                  // the programs the user may see ("|3|7|"); blank: all
    QString userIniPath;           // "User.ini" in the user's folder
    QString programIniPath;        // "Tarvo.INI"
    bool boundToOwnIssues = false; // the user sees only the issues he is responsible for
};

// The issue browse, the main working window: the program tree, the notes and attachments of the
// selected program, and the issues of the selection in category tabs, each list on the
// list-window base. The user's choices come back when it opens again.
class BrowseBugs final : public listext::ui::ListWindow {
    Q_OBJECT
  public:
    // The called procedures of its lists and trees.
    static constexpr int UpdatePrograms = 1;
    static constexpr int UpdateProgramRelease = 2;
    static constexpr int UpdateProgramFiles = 3;
    static constexpr int UpdateWebLinks = 4;
    static constexpr int UpdateBugs = 5;
    static constexpr int UpdateNotes = 6;
    static constexpr int UpdateAttachments = 7;
    // The program tree's first load, posted to the window once it is open.
    static constexpr int TreeLoad = 4064;

    BrowseBugs(Context &context, data::Session &session, BrowseBugsUser user, QObject *parent = nullptr);
    ~BrowseBugs() override;

    bool open() override;
    bool close() override;
    bool takeEvent(int event, const QVariant &data) override;
    void takeAccepted(const QString &controlName) override;

    const IssueListFilter &filter() const { return m_filter; }
    listext::ui::BrowseList &issueList() const { return list(0); }
    listext::ui::BrowseList &notesList() const { return list(1); }
    listext::ui::BrowseList &attachmentsList() const { return list(2); }
    listext::ui::RelationTree &programTree() const { return *m_tree; }
    QTreeView *programTreeView() const { return m_treeView; }
    QTabBar *categoryTabs() const { return m_categories; }
    IssueDetailPanel *detailPanel() const { return m_detail; }

    // The category tab (1 to 4 one category, 5 all).
    void selectCategory(int tab);
    void setShowFixed(bool on);
    void setOnlyMine(bool on);
    // Selects the tree row of the program, or of its release or program file when one is given;
    // false when the tree has no such row.
    // Tags or untags the issue of the current row (?DASTAG).
    void tagCurrent() { m_tools->tagCurrent(false); }
    // Tags every issue the list shows (?DASTAGALL), or none (?DASUNTAGALL).
    void tagAll() { m_tools->tagAll(); }
    void untagAll() { m_tools->untagAll(); }
    QString tagCountText() const { return m_tools->tagCountText(); }
    // Tags the issues of the list that hold the text and shows only them; a text found nowhere
    // (or a blank one) untags all, shows the whole list and says so.
    void searchText(const QString &text, bool ignoreCase) { m_tools->searchText(text, ignoreCase); }
    // Mass update of the tagged issues (?AKTUALISIEREN): the dialog's values go into every tagged
    // issue in one transaction, with their history.
    void massUpdate();
    // Export of the tagged issues (?EXPORTS) as CSV into the file; an issue that is gone is
    // skipped. The number of issues written.
    Result<int> exportTagged(const QString &path) { return m_tools->exportTagged(path); }
    // Asks where the export goes; tests answer through it.
    static void setExportPathAsker(std::function<QString(QWidget *parent)> asker);
    // Import of issues from a CSV file (?IMPORTS), in one transaction; the report says what was
    // imported and which lines were refused, and why.
    Result<query::ImportReport> importIssues(const QString &path) { return m_tools->importFile(path); }
    // Asks which file is imported; tests answer through it.
    static void setImportPathAsker(std::function<QString(QWidget *parent)> asker);
    // Hands the issue list (?PRINT) or the programs (?PRINTTREE) to the report module.
    void printIssues();
    void printPrograms();
    // An issue dropped on a row of the program tree: it moves (or, copied, its copy goes) to the
    // row's program, release or program file. The issue's number (the copy's when copied); 0 when
    // the row takes no issues (a header) or the issue is gone.
    Result<qint64> dropIssue(qint64 id, const QModelIndex &target, bool copy);
    // Move Up (`step` -1) and Move Down (+1) of the selected program among its siblings; the
    // program stays selected. Other rows do not move.
    Result<void> moveTreeRow(int step);
    // A program dragged onto another program row goes last under it; onto no row it becomes a
    // top-level program. Any other drag, and one onto itself or its own descendant, only beeps.
    Result<void> dropTreeRow(const QModelIndex &dragged, const QModelIndex &target);
    // Applies the saved query of that description (?QUERY) to the issue list, or voids the query
    // (?RESET); the window's title names the query applied.
    Result<void> applyQuery(const QString &description) { return m_tools->applyQuery(description); }
    void voidQuery() { m_tools->voidQuery(); }
    const QString &queryFilter() const { return m_tools->queryFilter(); }
    // "Show only tagged records" (?SFLFILTER).
    void setOnlyTagged(bool on) { m_tools->setOnlyTagged(on); }
    const IssueRowLook &rowLook() const { return m_look; }
    bool selectTreeRow(qint64 prgId, const QString &release = {}, const QString &programFile = {});

    // "Filter active!" while the issue list has column filters, else blank.
    QString filterActiveText() const;
    // Voids the column filters the void-filters window answered ("°VOID ALL°" or one field).
    void voidColumnFilters(const QString &answer);
    // The "less than" (-1) and "greater than" (+1) filters of the status column compare the
    // statuses' sort numbers: the current issue's sort number becomes the bound.
    void filterByStatusOrder(int direction);
    // Sets the status at a position (from 1) of the status list on the issue and saves it, as
    // the popup's "Set Status" does; an issue that cannot be read is left alone.
    void changeStatus(qint64 id, int position);
    // Rebuilds the popup's "Set Status" part for the current issue.
    void buildStatusPopup();

    // "Send EMail" of the detail panel: the responsible person's address goes to the mail
    // module's choice; without one the user is told.
    void sendEMail(const QString &responsible, const QPoint &below);
    // The attachments of an issue as the detail panel's choice offers them: (ID, description) in
    // the order of their descriptions.
    Result<std::vector<std::pair<qint64, QString>>> attachmentsOf(qint64 bugId) const;
    // Opens the attachment of that number in its form for a change (a choice by number, so two
    // attachments of one description each open their own).
    void openAttachment(qint64 attachmentId);

    // The smallest frame that still shows the browse: its upper area to the bar between upper and
    // lower area, and the issue list to its change button, each with room for the rest.
    QSize frameMinimumSize() const;

    // The field rules of the issue form, as the browse loaded them when it opened or the settings
    // last changed.
    const std::vector<FieldRule> &fieldRules() const { return m_fieldRules; }
    // Settings changed (event 1024): captions, field rules, status and priority lists, colours
    // and sort options are read again and the lists show them, without a restart.
    void applySettings();
    // The key-features window's demonstration (event 12006) of the feature in DemoFeature.
    void showDemoFeature();

    // The web links of the selected program (tab "Web Links"), read when the tab shows.
    listext::ui::RelationTree &webLinkTree() const { return *m_linkTree; }
    QTreeView *webLinkView() const { return m_linkView; }
    QTabWidget *sheet() const { return m_sheet; }
    // Move Up (-1) and Move Down (+1) of the selected web link among its siblings; it stays selected.
    Result<void> moveWebLink(int step);
    // Opens the selected web link with the desktop's program (?LINK).
    void followLink();

  protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

  Q_SIGNALS:
    // The program tree's selection was taken over into the lists.
    void programSelected(qint64 prgId);

  private:
    QWidget *buildWindow();
    QWidget *buildTreePanel();
    QWidget *buildSheet();
    QWidget *buildIssuePanel();
    QWidget *buildWebLinksPage();
    // The rights of the trees' rows and moves, asked as the window opens, then applied to the
    // trees' sections.
    void declareTreeRights();
    // What the issue form left when it closed: the program tree read again, or the place of an
    // issue that left the shown release kept for the next step forward.
    void takeFormChanges();
    void applyTreeRights();
    void loadWebLinks();
    void runWebLinkForm(int request, const std::function<void(int)> &done);
    // The ID of the selected web link, 0 on the caption row or none.
    qint64 currentWebLink() const;
    // The selected row is a web link with an address to open.
    bool canFollowLink() const;
    void restoreState();
    void saveState();
    void restoreBars();
    void saveBar(QSplitter *splitter);
    void placeBar(QSplitter *splitter);
    // Takes the tree row's records as the selection (program, release or program file).
    void takeTreeRow(const listext::ui::TreePath &path);
    // After the tree's first load: the program of the last session, or none when it is gone.
    void restoreSelection();
    QModelIndex findTreeRow(qint64 prgId, const QString &release, const QString &programFile);
    // Binds the selection and switches and sets the issue list's order and filter.
    Result<void> applyIssueFilter();
    Result<void> applyProgramFilter();
    void reloadIssues();
    void readRowLook();
    void dragIssue();
    void dragTreeRow();
    // The program ID of a program row, 0 for any other row.
    qint64 programOf(const QModelIndex &row) const;
    void pressMove(int step);
    bool takeTreeDrop(QEvent *event);
    Result<const query::RegisteredFile *> searchFile();
    listext::ui::RowLook lookOf(const listext::SourceRow &row) const;
    void fitFrame();
    void chooseAttachment(qint64 bugId);
    void showFilterActive();
    void voidFiltersAsked();
    void routeStatusFilters();

    data::Session &m_session;
    BrowseBugsUser m_user;
    IniFile m_userIni;
    IniFile m_programIni;
    IssueListFilter m_filter;
    std::unique_ptr<listext::ViewRowSource> m_issues;
    std::unique_ptr<listext::ViewRowSource> m_notes;
    std::unique_ptr<listext::ViewRowSource> m_attachments;
    std::unique_ptr<listext::ui::RelationTree> m_tree;
    listext::ui::ProgramTreeSections m_sections;
    std::unique_ptr<ProgramTreeForms> m_treeForms;
    QPointer<listext::ui::RelationTreeView> m_treeUi;
    QPointer<QTreeView> m_treeView;
    std::unique_ptr<listext::ui::RelationTree> m_linkTree;
    std::shared_ptr<WebLinkTreeFile> m_links; // the top level, which reads the selected program's
    WebLinkTreeSections m_linkSections;
    QPointer<listext::ui::RelationTreeView> m_linkTreeUi;
    QPointer<QTreeView> m_linkView;
    QPointer<QWidget> m_linkPage;
    // Compared by address in the event filter, which still sees events while the window's
    // children are destroyed and the views behind them are gone.
    QPointer<QWidget> m_issueViewport;
    QPointer<QWidget> m_treeViewport;
    QPointer<QTabBar> m_categories;
    QPointer<QTabWidget> m_sheet;
    QPointer<IssueDetailPanel> m_detail;
    QPointer<QCheckBox> m_fixed;
    QPointer<QCheckBox> m_mine;
    QPointer<QLabel> m_filterActive;
    QPointer<QPushButton> m_voidFilter;
    std::unique_ptr<listext::ui::TagTools> m_tools;
    std::unique_ptr<query::RegisteredFile> m_searchFile;
    IssueRowLook m_look;
    QPointer<QSplitter> m_hsplit;
    QPointer<QSplitter> m_vsplit;
    QPointer<QSplitter> m_vsplitA;
    // Where the bars are: the size of the pane before each, kept while the window resizes.
    std::map<QSplitter *, int> m_barPositions;
    // The selection saved by the last session, until the tree's first load has taken it.
    std::optional<IssueListFilter> m_lastSelection;
    bool m_treeFirstLoad = true;
    std::vector<FieldRule> m_fieldRules;
    std::shared_ptr<FormChanges> m_formChanges = std::make_shared<FormChanges>();
    // The row that took the place of an issue the form moved out of the shown release.
    std::optional<qint64> m_leftReleaseAt;
    // The issue last current in the list, kept across the list's resets.
    qint64 m_lastIssueKey = 0;
    QPoint m_dragStart;
    // The tree row under the last press in the tree: the row a tree drag carries.
    QPersistentModelIndex m_treeDragRow;
    Qt::MouseButton m_dragButton = Qt::NoButton;
};

} // namespace tarvo::issues::ui
