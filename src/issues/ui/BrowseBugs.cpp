#include "issues/ui/BrowseBugs.h"

#include "core/frame/FrameGlobals.h"
#include "core/frame/RecordButtons.h"
#include "core/helpers/ShellOpen.h"
#include "core/lists/FillPriorityList.h"
#include "core/lists/FillStatusList.h"
#include "core/lists/ReadKeyOrder.h"
#include "core/lists/TreeMoves.h"
#include "core/lists/UserQueue.h"
#include "core/services/AccessServices.h"
#include "core/services/MailServices.h"
#include "core/services/MasterDataServices.h"
#include "core/services/ReportServices.h"
#include "core/services/Services.h"
#include "core/startup/SettingsRecord.h"
#include "core/ui/frame/FrameMdi.h"
#include "issues/BugTagQueue.h"
#include "issues/CopyIssue.h"
#include "issues/FieldRules.h"
#include "issues/IssueColumnFilters.h"
#include "issues/IssueFieldRules.h"
#include "issues/IssueFields.h"
#include "issues/IssueListColumns.h"
#include "issues/IssueMassUpdate.h"
#include "issues/IssueSave.h"
#include "issues/IssueStatus.h"
#include "issues/ui/IssueDetailPanel.h"
#include "issues/ui/ProgramTreeForms.h"
#include "issues/ui/VoidFilters.h"
#include "issues/ui/form/UpdateBugs.h"
#include "issues/ui/subforms/IssueSubForms.h"
#include "listext/ui/RelationTree.h"
#include "listext/ui/RelationTreeView.h"
#include "platform/data/Dictionary.h"
#include "platform/data/FileManager.h"
#include "platform/data/Session.h"
#include "platform/query/CsvExport.h"
#include "platform/query/TextSearch.h"
#include "platform/runtime/ContextRegistry.h"
#include "platform/runtime/Events.h"
#include "platform/runtime/Messages.h"
#include "platform/runtime/Translator.h"

#include <QApplication>
#include <QCheckBox>
#include <QDrag>
#include <QDropEvent>
#include <QEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMimeData>
#include <QMouseEvent>
#include <QPainter>
#include <QPixmap>
#include <QPointer>
#include <QPushButton>
#include <QSplitter>
#include <QTabBar>
#include <QTabWidget>
#include <QTreeView>
#include <QVBoxLayout>

#include <functional>

namespace tarvo::issues::ui {

using core::TreeMoves;
using listext::ColumnDefinition;
using listext::ColumnDefinitions;
using listext::SortKey;
using listext::ui::BrowseList;
using listext::ui::ListDeclaration;
using listext::ui::RelationTree;
using listext::ui::TreePath;

namespace {

const QString Section = QStringLiteral("BrowseBugs");

QString translated(const char *text)
{
    return Translator::instance().translate(QString::fromLatin1(text));
}

ColumnDefinition column(const char *field, const char *header, const char *picture, int width)
{
    ColumnDefinition c =
        ColumnDefinition::of(QLatin1String(field), QLatin1String(header), QLatin1String(picture), width);
    c.sortable = true;
    return c;
}

ColumnDefinitions noteColumns()
{
    return {column("NOTE:CreatedDate", "Date", "@D017B", 70), column("NOTE:CreatedTime", "Time", "@T08B", 50),
            column("NOTE:Status", "Status", "@s35", 80), column("NOTE:Note", "Note", "@s255", 300)};
}

ColumnDefinitions attachmentColumns()
{
    return {column("ATT:Description", "Description", "@s250", 200), column("ATT:Date", "Date", "@D017B", 70),
            column("ATT:Notes", "Notes", "@s255", 200)};
}

data::FileManager &openFile(data::Session &session, const QString &label)
{
    data::FileManager *file = session.file(label);
    (void)file->open();
    return *file;
}

// The components of a declared key as a list sorts by them.
std::vector<SortKey> keyOrder(const data::FileManager &file, const QString &keyName)
{
    std::vector<SortKey> keys;
    const data::RecordLayout &layout = file.layout();
    const int k = keyName.isEmpty() ? -1 : layout.keyIndex(keyName);
    if (k < 0)
        return keys;
    for (const data::KeyComponent &c : layout.key(k).components)
        keys.push_back(SortKey{c.field, c.descending, layout.key(k).caseInsensitive});
    return keys;
}

// The list's small pictures by icon number: the tag mark, the categories and the priorities.
const QIcon &icon(int number)
{
    static std::map<int, QIcon> icons;
    auto it = icons.find(number);
    if (it != icons.end())
        return it->second;
    static const std::map<int, std::pair<QColor, char>> looks{
        {1, {QColor(0, 128, 0), '*'}},  {2, {QColor(128, 0, 128), 'T'}}, {3, {QColor(200, 0, 0), '!'}},
        {4, {QColor(200, 60, 0), 'B'}}, {5, {QColor(0, 90, 200), 'F'}},  {6, {QColor(0, 140, 140), 'S'}},
        {7, {QColor(0, 0, 160), 'v'}}};
    QPixmap pixmap(14, 14);
    pixmap.fill(Qt::transparent);
    if (const auto look = looks.find(number); look != looks.end()) {
        QPainter painter(&pixmap);
        painter.setRenderHint(QPainter::Antialiasing);
        painter.setBrush(look->second.first);
        painter.setPen(Qt::NoPen);
        painter.drawEllipse(1, 1, 12, 12);
        painter.setPen(Qt::white);
        QFont font = painter.font();
        font.setPixelSize(10);
        font.setBold(true);
        painter.setFont(font);
        painter.drawText(QRect(0, 0, 14, 14), Qt::AlignCenter, QString(QLatin1Char(look->second.second)));
    }
    return icons.emplace(number, QIcon(pixmap)).first->second;
}

bool secPAllows(const QString &secP, qint64 prgId)
{
    return secP.trimmed().isEmpty() ||
           secP.contains(QLatin1Char('|') + QString::number(prgId) + QLatin1Char('|'));
}

// Tests answer the export's and the import's file dialogs through these.
std::function<QString(QWidget *)> &exportPathAsker()
{
    static std::function<QString(QWidget *)> asker;
    return asker;
}

std::function<QString(QWidget *)> &importPathAsker()
{
    static std::function<QString(QWidget *)> asker;
    return asker;
}

} // namespace

BrowseBugs::BrowseBugs(Context &context, data::Session &session, BrowseBugsUser user, QObject *parent)
    : ListWindow(context, QStringLiteral("BrowseBugs"), parent), m_session(session), m_user(std::move(user)),
      m_userIni(m_user.userIniPath), m_programIni(m_user.programIniPath)
{
    m_issues = std::make_unique<listext::ViewRowSource>(openFile(session, QStringLiteral("Bugs")),
                                                        QStringLiteral("BUG:KeyID"));
    m_notes = std::make_unique<listext::ViewRowSource>(openFile(session, QStringLiteral("Notes")),
                                                       QStringLiteral("NOTE:KeyPrgIDCreatedDateCreatedTime"));
    m_attachments = std::make_unique<listext::ViewRowSource>(openFile(session, QStringLiteral("Attachments")),
                                                             QStringLiteral("ATT:KeyPrgIDDescription"));
    for (const char *label : {"Status", "Releases", "Priority", "Programs", "WebLinks"})
        (void)openFile(session, QString::fromLatin1(label));

    ListDeclaration issues;
    issues.control = QStringLiteral("?Browse:1");
    issues.columns = issueListColumns();
    issues.updateProcedure = UpdateBugs;
    issues.watchedFiles = QStringLiteral("|Bugs|");
    addList(std::move(issues), *m_issues);
    listext::ui::TagToolsDeclaration tools;
    tools.tags = &BugTagQueue::global();
    tools.source = m_issues.get();
    tools.idField = QStringLiteral("BUG:ID");
    tools.dataFolder = session.dictionary().dataFolder();
    tools.queryKey = QStringLiteral("BROWSEBUGS");
    tools.title = translated("Issues");
    tools.queryMark = QStringLiteral(" - ");
    tools.exportName = QStringLiteral("Output.csv");
    tools.importCaption = translated("Import");
    tools.askPath = [](QWidget *parent, bool save) -> std::optional<QString> {
        const auto &asker = save ? exportPathAsker() : importPathAsker();
        if (!asker)
            return std::nullopt;
        return asker(parent);
    };
    tools.applyFilter = [this] { return applyIssueFilter(); };
    tools.reload = [this] { reloadIssues(); };
    tools.search = [this](const data::View &view, const QString &text, bool ignoreCase,
                          const query::TextSearch::Progress &progress) -> Result<std::vector<qint64>> {
        auto file = searchFile();
        if (!file)
            return file.error();
        return query::TextSearch(**file, QStringLiteral("BUG:ID")).search(view, text, ignoreCase, progress);
    };
    tools.writeCsv = [this](const std::vector<qint64> &ids, QIODevice &out) -> Result<int> {
        auto file = searchFile();
        if (!file)
            return file.error();
        return query::CsvExport::writeRecords(**file, *m_session.file(QStringLiteral("Bugs")),
                                              QStringLiteral("BUG:KeyID"), ids, out);
    };
    tools.readCsv = [this](const QString &text) -> Result<query::ImportReport> {
        auto file = searchFile();
        if (!file)
            return file.error();
        return query::CsvImport(*m_session.file(QStringLiteral("Bugs")), **file).run(text);
    };
    m_tools = std::make_unique<listext::ui::TagTools>(*this, list(0), std::move(tools));
    ListDeclaration notes;
    notes.control = QStringLiteral("?List");
    notes.columns = noteColumns();
    notes.updateProcedure = UpdateNotes;
    notes.watchedFiles = QStringLiteral("|Notes|");
    notes.locator = false;
    addList(std::move(notes), *m_notes);
    ListDeclaration attachments;
    attachments.control = QStringLiteral("?List:2");
    attachments.columns = attachmentColumns();
    attachments.updateProcedure = UpdateAttachments;
    attachments.watchedFiles = QStringLiteral("|Attachments|");
    addList(std::move(attachments), *m_attachments);
    setUserIni(m_userIni);
    ui::UpdateBugs::registerOn(
        *this, UpdateBugs, session, [this] { return issueList().currentKey(); },
        [this] {
            NewIssueValues values{qint32(m_filter.prgId),
                                  m_filter.release,
                                  m_filter.programFile,
                                  m_filter.tab < IssueListFilter::AllTab ? m_filter.tab : 1,
                                  0,
                                  DuplicateChoices::fromUserIni(m_userIni),
                                  m_formChanges};
            return values;
        });
    SubFormUser formUser = SubFormUser::current();
    formUser.mak = m_user.mak;
    formUser.userIniPath = m_user.userIniPath;
    // The notes and attachments of the browse belong to the selected program.
    registerIssueSubForms(*this, session, formUser,
                          {{UpdateNotes, [this] { return notesList().currentKey(); }},
                           {UpdateAttachments, [this] { return attachmentsList().currentKey(); }},
                           {}},
                          [this] {
                              return SubFormOwner{0, m_filter.prgId};
                          });

    m_tree = std::make_unique<RelationTree>();
    // The user sees the top-level programs of his program limit, each with all it holds.
    const QString secP = m_user.secP;
    if (auto sections = listext::ui::addProgramTree(*m_tree, session,
                                                    [secP](qint64 prgId) { return secPAllows(secP, prgId); });
        sections)
        m_sections = *sections;
    else
        showError(sections.error());
    m_linkTree = std::make_unique<RelationTree>();
    m_links = std::make_shared<WebLinkTreeFile>(session, true);
    if (auto sections =
            addWebLinkTree(*m_linkTree, m_links, std::make_shared<WebLinkTreeFile>(session, false));
        sections)
        m_linkSections = *sections;
    else
        showError(sections.error());
}

BrowseBugs::~BrowseBugs()
{
    // The filter is taken off before the views go, so that it never sees a half-destroyed view.
    for (QWidget *viewport : {m_issueViewport.data(), m_treeViewport.data()})
        if (viewport)
            viewport->removeEventFilter(this);
    // The view goes with the window before the tree it shows.
    delete window();
}

QWidget *BrowseBugs::buildTreePanel()
{
    auto *panel = new QWidget;
    auto *layout = new QVBoxLayout(panel);
    layout->setContentsMargins(0, 0, 0, 0);
    m_treeView = new QTreeView(panel);
    m_treeView->setObjectName(QStringLiteral("?ULTRATREE"));
    m_treeUi = new listext::ui::RelationTreeView(*m_tree, m_treeView, this);
    connect(m_treeUi, &listext::ui::RelationTreeView::rowFetched, this, &BrowseBugs::takeTreeRow);
    layout->addWidget(m_treeView, 1);
    auto *buttons = new QGridLayout;
    const std::pair<const char *, const char *> names[] = {
        {"?INSERT:4", "&Insert"}, {"?CHANGE:4", "&Change"}, {"?DELETE:4", "&Delete"},
        {"?PRINTTREE", "&Print"}, {"?TREEUP", "Move Up"},   {"?TREEDOWN", "Move Down"}};
    QPushButton *made[6] = {};
    int i = 0;
    for (const auto &[name, caption] : names) {
        made[i] = new QPushButton(translated(caption), panel);
        made[i]->setObjectName(QLatin1String(name));
        buttons->addWidget(made[i], i / 3, i % 3);
        ++i;
    }
    m_treeUi->setButtons(made[0], made[1], made[2], nullptr);
    connect(made[3], &QPushButton::clicked, this, &BrowseBugs::printPrograms);
    m_treeForms = std::make_unique<ProgramTreeForms>(context(), m_session, *m_tree, m_sections, m_treeView);
    m_treeForms->install(*m_treeUi);
    m_treeForms->setProgramFormClosed([browse = QPointer<BrowseBugs>(this)] {
        if (browse) {
            (void)browse->notesList().reload();
            (void)browse->attachmentsList().reload();
        }
    });
    connect(made[4], &QPushButton::clicked, this, [this] { pressMove(-1); });
    connect(made[5], &QPushButton::clicked, this, [this] { pressMove(+1); });
    // A program moves among the programs beside it.
    for (const int step : {-1, +1})
        m_treeUi->addRowControl(made[step < 0 ? 4 : 5], [this, step](const QModelIndex &current) {
            return programOf(current) != 0 && m_treeUi->canMove(current, step) &&
                   !isDenied(step < 0 ? QStringLiteral("MoveUpPUT") : QStringLiteral("MoveDownPUT"));
        });
    layout->addLayout(buttons);
    return panel;
}

QWidget *BrowseBugs::buildSheet()
{
    m_sheet = new QTabWidget;
    m_sheet->setObjectName(QStringLiteral("?SHEET2"));
    auto addTab = [this](QWidget *page, const char *name, const char *caption) {
        page->setObjectName(QLatin1String(name));
        m_sheet->addTab(page, translated(caption));
    };
    addTab(notesList().panel(), "?TAB6", "Notes");
    addTab(attachmentsList().panel(), "?TAB7", "Attachments");
    m_linkPage = buildWebLinksPage();
    addTab(m_linkPage, "?TAB8", "Web Links");
    connect(m_sheet, &QTabWidget::currentChanged, this, [this]() {
        if (m_sheet->currentWidget() == m_linkPage)
            loadWebLinks();
    });
    return m_sheet;
}

QWidget *BrowseBugs::buildWebLinksPage()
{
    auto *page = new QWidget;
    auto *layout = new QVBoxLayout(page);
    layout->setContentsMargins(0, 0, 0, 0);
    m_linkView = new QTreeView(page);
    m_linkView->setObjectName(QStringLiteral("?ULTRATREE:2"));
    m_linkTreeUi = new listext::ui::RelationTreeView(*m_linkTree, m_linkView, this);
    layout->addWidget(m_linkView, 1);
    auto *buttons = new QHBoxLayout;
    const std::pair<const char *, const char *> names[] = {
        {"?INSERT:5", "&Insert"}, {"?CHANGE:5", "&Change"},     {"?DELETE:5", "&Delete"},
        {"?WLTREEUP", "Move Up"}, {"?WLTREEDOWN", "Move Down"}, {"?LINK", "Follow Link"}};
    QPushButton *made[6] = {};
    int i = 0;
    for (const auto &[name, caption] : names) {
        made[i] = new QPushButton(translated(caption), page);
        made[i]->setObjectName(QLatin1String(name));
        buttons->addWidget(made[i]);
        ++i;
    }
    buttons->addStretch(1);
    layout->addLayout(buttons);
    m_linkTreeUi->setButtons(made[0], made[1], made[2], nullptr);
    m_linkTreeUi->setRunner(
        [this](int, int request, std::function<void(int)> done) { runWebLinkForm(request, done); });
    const auto pressMoveLink = [this](int step) {
        if (auto r = moveWebLink(step); !r)
            showError(r.error());
    };
    connect(made[3], &QPushButton::clicked, this, [pressMoveLink] { pressMoveLink(-1); });
    connect(made[4], &QPushButton::clicked, this, [pressMoveLink] { pressMoveLink(+1); });
    connect(made[5], &QPushButton::clicked, this, &BrowseBugs::followLink);
    // The tree's popup: the form's three items, then following the link and the moves.
    for (const char *item : {"Insert", "Change", "Delete"})
        m_linkTreeUi->addPopupItem(translated(item), QLatin1String(item));
    m_linkTreeUi->popup()->addSeparator();
    connect(m_linkTreeUi->addPopupItem(translated("Follow Link"), QStringLiteral("FollowLink")),
            &QAction::triggered, this, &BrowseBugs::followLink);
    m_linkTreeUi->popup()->addSeparator();
    connect(m_linkTreeUi->addPopupItem(translated("Up"), QStringLiteral("Up")), &QAction::triggered, this,
            [pressMoveLink] { pressMoveLink(-1); });
    connect(m_linkTreeUi->addPopupItem(translated("Down"), QStringLiteral("Down")), &QAction::triggered, this,
            [pressMoveLink] { pressMoveLink(+1); });
    m_linkTreeUi->popup()->addSeparator();
    QMenu *more = m_linkTreeUi->popup()->addMenu(translated("Additional functions"));
    const std::pair<const char *, const char *> moreItems[] = {{"Explode All", "ExpandAll"},
                                                               {"Collapse All", "ContractAll"},
                                                               {nullptr, nullptr},
                                                               {"Explode Node", "ExpandNode"},
                                                               {"Collapse Node", "ContractNode"}};
    for (const auto &[caption, name] : moreItems) {
        if (caption)
            more->addAction(translated(caption))->setObjectName(QLatin1String(name));
        else
            more->addSeparator();
    }
    // The moves and the link act on a link row only, and a move only where a sibling of its kind
    // lies that way.
    const auto canMoveLink = [this](int step) {
        return [this, step](const QModelIndex &current) {
            return currentWebLink() != 0 && m_linkTreeUi->canMove(current, step) &&
                   !isDenied(step < 0 ? QStringLiteral("MoveUpWL") : QStringLiteral("MoveDownWL"));
        };
    };
    const auto canFollow = [this](const QModelIndex &) { return canFollowLink(); };
    m_linkTreeUi->addRowControl(made[3], canMoveLink(-1));
    m_linkTreeUi->addRowControl(made[4], canMoveLink(+1));
    m_linkTreeUi->addRowControl(made[5], canFollow);
    m_linkTreeUi->addRowControl(m_linkTreeUi->popupItem(QStringLiteral("Up")), canMoveLink(-1));
    m_linkTreeUi->addRowControl(m_linkTreeUi->popupItem(QStringLiteral("Down")), canMoveLink(+1));
    m_linkTreeUi->addRowControl(m_linkTreeUi->popupItem(QStringLiteral("FollowLink")), canFollow);
    return page;
}

void BrowseBugs::declareTreeRights()
{
    if (!rightsNames().empty())
        return;
    // The trees' rows have no buttons of their own: their rights go by these names.
    for (const char *kind : {"PUT", "RUT", "PFUT", "WL"})
        for (const char *action : {"Insert", "Change", "Delete"})
            addRightsName(QLatin1String(action) + QLatin1String(kind));
    addRightsName(QStringLiteral("MoveUpPUT"), {QStringLiteral("?TREEUP")});
    addRightsName(QStringLiteral("MoveDownPUT"), {QStringLiteral("?TREEDOWN")});
    addRightsName(QStringLiteral("MoveUpWL"), {QStringLiteral("?WLTREEUP")});
    addRightsName(QStringLiteral("MoveDownWL"), {QStringLiteral("?WLTREEDOWN")});
}

void BrowseBugs::applyTreeRights()
{
    const auto apply = [this](listext::ui::RelationTree &tree, std::initializer_list<int> sections,
                              const char *kind) {
        const auto denied = [this, kind](const char *action) {
            return isDenied(QLatin1String(action) + QLatin1String(kind));
        };
        for (const int id : sections)
            if (listext::ui::RelationTreeSection *section = id != 0 ? tree.section(id) : nullptr) {
                section->allowInsert = section->allowInsert && !denied("Insert");
                section->allowChange = section->allowChange && !denied("Change");
                section->allowDelete = section->allowDelete && !denied("Delete");
            }
    };
    apply(*m_tree, {m_sections.programs}, "PUT");
    apply(*m_tree, {m_sections.releases}, "RUT");
    apply(*m_tree, {m_sections.files}, "PFUT");
    apply(*m_linkTree, {m_linkSections.top, m_linkSections.children}, "WL");
    m_treeUi->setPopupState();
    m_linkTreeUi->setPopupState();
}

void BrowseBugs::loadWebLinks()
{
    m_links->setProgram(m_filter.prgId);
    m_linkTreeUi->takeEvent(Events::TreeLoad);
    m_linkView->expandToDepth(0);
}

qint64 BrowseBugs::currentWebLink() const
{
    const QModelIndex current = m_linkView ? m_linkView->currentIndex() : QModelIndex();
    if (!current.isValid() || !m_linkSections.isEntry(m_linkTree->sectionOf(current)))
        return 0;
    const TreePath path = m_linkTree->fetchRow(current);
    return path.empty() ? 0 : path.back().second.values.value(WebLinkTreeFile::Id).toLongLong();
}

bool BrowseBugs::canFollowLink() const
{
    if (currentWebLink() == 0)
        return false;
    const TreePath path = m_linkTree->fetchRow(m_linkView->currentIndex());
    return !path.empty() && !path.back().second.values.value(WebLinkTreeFile::Link).toString().isEmpty();
}

void BrowseBugs::runWebLinkForm(int request, const std::function<void(int)> &done)
{
    data::FileManager &links = *m_session.file(QStringLiteral("WebLinks"));
    data::Record &buffer = links.buffer();
    buffer = links.newRecord();
    if (request == 1) {
        // On the caption row a top-level entry, on an entry one under it.
        buffer.setValue(QStringLiteral("PrgID"), m_filter.prgId);
        buffer.setValue(QStringLiteral("P"), currentWebLink());
    } else {
        buffer.setValue(QStringLiteral("ID"), currentWebLink());
        if (!links.fetch(QStringLiteral("WEB:KeyID"), buffer))
            return;
    }
    const int before = context().threadRequest();
    context().setThreadRequest(request);
    context().setThreadResponse(0);
    // The form is window-modal and reports its end later; the browse may be gone by then.
    QPointer<BrowseBugs> self(this);
    core::Services::masterData()->updateWebLinks(context().number(), qint32(m_filter.prgId),
                                                 [self, before, done](int response) {
                                                     if (self)
                                                         self->context().setThreadRequest(before);
                                                     done(response);
                                                 });
}

Result<void> BrowseBugs::moveWebLink(int step)
{
    const qint64 id = currentWebLink();
    if (id == 0 || isDenied(step < 0 ? QStringLiteral("MoveUpWL") : QStringLiteral("MoveDownWL")))
        return {};
    const int row = m_linkView->currentIndex().row();
    const QModelIndex parent = m_linkView->currentIndex().parent();
    const QString parentKey = m_linkTree->rowKey(parent);
    QApplication::setOverrideCursor(Qt::WaitCursor);
    auto moved =
        TreeMoves(m_session, QStringLiteral("WebLinks"), QStringLiteral("WEB"), QStringLiteral("PrgID"))
            .moveAmongSiblings(id, step);
    if (moved && *moved == TreeMoves::Outcome::Moved) {
        m_linkTree->refresh(listext::ui::RelationTree::Reload);
        // The moved entry stays selected: it is now the row one above or below.
        const QModelIndex under = m_linkTree->findRow(parentKey);
        const QModelIndex target = m_linkTree->index(row + step, 0, under);
        if (target.isValid())
            m_linkView->setCurrentIndex(target);
    }
    QApplication::restoreOverrideCursor();
    if (!moved)
        return moved.error();
    return {};
}

void BrowseBugs::followLink()
{
    if (!canFollowLink())
        return;
    const TreePath path = m_linkTree->fetchRow(m_linkView->currentIndex());
    core::ShellOpen(0, path.back().second.values.value(WebLinkTreeFile::Link).toString());
}

QWidget *BrowseBugs::buildIssuePanel()
{
    auto *panel = new QWidget;
    auto *layout = new QVBoxLayout(panel);
    layout->setContentsMargins(0, 0, 0, 0);
    m_categories = new QTabBar(panel);
    m_categories->setObjectName(QStringLiteral("?SH"));
    for (const char *caption : {"Bug-Reports", "Feature-Requests", "Support-Requests", "To-Do", "All"})
        m_categories->addTab(translated(caption));
    layout->addWidget(m_categories);
    auto *tools = new QHBoxLayout;
    m_fixed = new QCheckBox(translated("Display fixed records"), panel);
    m_fixed->setObjectName(QStringLiteral("?F"));
    m_mine = new QCheckBox(translated("Show only records that I am responsible for"), panel);
    m_mine->setObjectName(QStringLiteral("?R"));
    struct TagButton {
        const char *name;
        const char *caption;
        const char *tip;
    };
    const TagButton tagButtons[] = {{"?DASTAG", "*", "Tag / Untag record"},
                                    {"?DASTAGALL", "**", "Tag all records"},
                                    {"?DASUNTAGALL", "-", "Untag all records"}};
    for (const TagButton &t : tagButtons) {
        auto *button = new QPushButton(QLatin1String(t.caption), panel);
        button->setObjectName(QLatin1String(t.name));
        button->setToolTip(translated(t.tip));
        tools->addWidget(button);
        acceptOn(button);
    }
    auto *search = new QPushButton(translated("Search..."), panel);
    search->setObjectName(QStringLiteral("?SEARCHBUTTON"));
    search->setToolTip(translated("Search records for text..."));
    tools->addWidget(search);
    acceptOn(search);
    auto *query = new QPushButton(translated("Query..."), panel);
    query->setObjectName(QStringLiteral("?QUERY"));
    tools->addWidget(query);
    acceptOn(query);
    auto *reset = new QPushButton(translated("Void Query"), panel);
    reset->setObjectName(QStringLiteral("?RESET"));
    reset->setEnabled(false);
    tools->addWidget(reset);
    acceptOn(reset);
    auto *exports = new QPushButton(translated("Export..."), panel);
    exports->setObjectName(QStringLiteral("?EXPORTS"));
    tools->addWidget(exports);
    acceptOn(exports);
    auto *imports = new QPushButton(translated("Import..."), panel);
    imports->setObjectName(QStringLiteral("?IMPORTS"));
    tools->addWidget(imports);
    acceptOn(imports);
    auto *print = new QPushButton(translated("&Print"), panel);
    print->setObjectName(QStringLiteral("?PRINT"));
    tools->addWidget(print);
    acceptOn(print);
    auto *massUpdate = new QPushButton(translated("Mass Update"), panel);
    massUpdate->setObjectName(QStringLiteral("?AKTUALISIEREN"));
    tools->addWidget(massUpdate);
    acceptOn(massUpdate);
    m_filterActive = new QLabel(panel);
    m_filterActive->setObjectName(QStringLiteral("?FILTERACTIVE"));
    m_filterActive->setStyleSheet(QStringLiteral("color: red; font-weight: bold"));

    m_voidFilter = new QPushButton(translated("Void Filters..."), panel);
    m_voidFilter->setObjectName(QStringLiteral("?VOIDFILTER"));
    m_voidFilter->setVisible(false);

    acceptOn(m_voidFilter);
    // The switches go on a row of their own, so that the list can be narrow.
    auto *switches = new QHBoxLayout;
    switches->addWidget(m_tools->makeOnlyTagged(panel));
    tools->addWidget(m_tools->makeTagCount(panel));
    tools->addStretch(1);
    switches->addWidget(m_fixed);
    switches->addWidget(m_mine);
    switches->addStretch(1);
    // On the row of the switches, so that showing them never widens the list's side.
    switches->addWidget(m_filterActive);
    switches->addWidget(m_voidFilter);
    layout->addLayout(tools);
    layout->addLayout(switches);
    layout->addWidget(issueList().panel(), 1);
    return panel;
}

QWidget *BrowseBugs::buildWindow()
{
    auto *content = new QWidget;
    content->setObjectName(procedureName());
    content->setWindowTitle(translated("Issues"));
    auto *layout = new QVBoxLayout(content);
    layout->setContentsMargins(0, 0, 0, 0);
    m_hsplit = new QSplitter(Qt::Vertical, content);
    m_hsplit->setObjectName(QStringLiteral("?HSPLIT"));
    m_vsplitA = new QSplitter(Qt::Horizontal, m_hsplit);
    m_vsplitA->setObjectName(QStringLiteral("?VSPLITA"));
    m_vsplitA->addWidget(buildTreePanel());
    m_vsplitA->addWidget(buildSheet());
    m_vsplit = new QSplitter(Qt::Horizontal, m_hsplit);
    m_vsplit->setObjectName(QStringLiteral("?VSPLIT"));
    m_vsplit->addWidget(buildIssuePanel());
    m_detail = new IssueDetailPanel(m_session, m_vsplit);
    m_detail->setUserCode(m_user.mak);
    // A field written in the panel shows in the list at once.
    connect(m_detail, &IssueDetailPanel::sendEMailPressed, this, &BrowseBugs::sendEMail);
    connect(m_detail, &IssueDetailPanel::attachmentsPressed, this, &BrowseBugs::chooseAttachment);
    connect(m_detail, &IssueDetailPanel::issueChanged, this, [this](qint64 id) {
        if (auto r = issueList().refresh(id); !r)
            showError(r.error());
    });
    m_vsplit->addWidget(m_detail);
    m_hsplit->addWidget(m_vsplitA);
    m_hsplit->addWidget(m_vsplit);
    m_hsplit->setStretchFactor(1, 1);
    layout->addWidget(m_hsplit);
    for (QSplitter *s : {m_hsplit.data(), m_vsplit.data(), m_vsplitA.data()})
        connect(s, &QSplitter::splitterMoved, this, [this, s]() {
            saveBar(s);
            fitFrame();
        });
    // Issues are dragged from the list onto the program tree.
    m_issueViewport = issueList().view()->viewport();
    m_issueViewport->installEventFilter(this);
    m_treeView->setAcceptDrops(true);
    m_treeView->viewport()->setAcceptDrops(true);
    m_treeViewport = m_treeView->viewport();
    m_treeViewport->installEventFilter(this);
    return core::ui::FrameMdi::addWindow(content, context());
}

bool BrowseBugs::open()
{
    if (isOpen())
        return true;
    if (!window())
        setWindow(buildWindow());
    declareTreeRights();
    restoreState();
    readRowLook();
    issueList().model().setRowDecorator([this](const listext::SourceRow &row) { return lookOf(row); });
    m_tools->tagsChanged();
    if (auto applied = applyIssueFilter(); !applied)
        showError(applied.error());
    if (auto applied = applyProgramFilter(); !applied)
        showError(applied.error());
    if (!ListWindow::open())
        return false;
    applyTreeRights();
    restoreBars();
    fitFrame();
    // The column filters the user left come back, and the list shows that it is filtered.
    listext::ui::XploreClass &xplore = issueList().xplore();
    IssueColumnFilters::restore(xplore.filter(), m_userIni.value(Section, QStringLiteral("Last Sort")),
                                xplore.upper());
    if (!xplore.filter().filteredFields().isEmpty())
        (void)xplore.applyFilter();
    connect(&xplore, &listext::ui::XploreClass::filterApplied, this, &BrowseBugs::showFilterActive);
    showFilterActive();
    routeStatusFilters();
    applySettings();
    connect(xplore.popup(), &QMenu::aboutToShow, this, &BrowseBugs::buildStatusPopup);
    connect(this, &ListWindow::formFinished, this, &BrowseBugs::takeFormChanges);
    connect(m_categories, &QTabBar::currentChanged, this, [this](int index) { selectCategory(index + 1); });
    connect(m_fixed, &QCheckBox::toggled, this, &BrowseBugs::setShowFixed);
    connect(m_mine, &QCheckBox::toggled, this, &BrowseBugs::setOnlyMine);
    m_tools->watchOnlyTagged();
    // The panel follows the issue list's current row.
    const auto showCurrent = [this]() {
        const int row = issueList().currentRow();
        m_detail->showIssue(
            row < 0 ? 0 : issueList().model().rawValue(row, QStringLiteral("BUG:ID")).toLongLong());
    };
    connect(&issueList(), &listext::ui::BrowseList::stateChanged, this, showCurrent);
    // Without the change right the panel only shows.
    if (QPushButton *change = issueList().button(2))
        m_detail->setEditable(!isDenied(change->objectName()));
    connect(issueList().view()->selectionModel(), &QItemSelectionModel::currentRowChanged, this, showCurrent);
    connect(issueList().view()->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            [this](const QModelIndex &current) {
                if (current.isValid())
                    m_lastIssueKey = issueList().currentKey();
            });
    // Whatever read the list anew (a sort, a search) and left no row current, the first row is;
    // after the reader's own positioning, so that one that keeps a row wins.
    connect(&issueList().model(), &QAbstractItemModel::modelReset, this, [this]() {
        QMetaObject::invokeMethod(
            this,
            [this]() {
                if (issueList().currentRow() < 0)
                    issueList().goToRow(0);
            },
            Qt::QueuedConnection);
    });
    // A filter reads the list anew: the issue the user was on stays current when the filter
    // keeps it, else the first one is.
    connect(&xplore, &listext::ui::XploreClass::filterApplied, this, [this]() {
        if (m_lastIssueKey > 0)
            (void)issueList().refresh(m_lastIssueKey); // it shows its own error
        else
            issueList().goToRow(0);
    });
    showCurrent();
    if (auto *child = qobject_cast<QMdiSubWindow *>(frame()))
        child->showMaximized();
    if (ContextRegistry *registry = context().registry())
        registry->post(context().number(), TreeLoad);
    return true;
}

bool BrowseBugs::close()
{
    if (!isOpen())
        return false;
    saveState();
    if (auto r = m_userIni.setValue(Section, QStringLiteral("Last Sort"),
                                    IssueColumnFilters::lastSortText(issueList().xplore().filter()));
        !r)
        showError(r.error());
    return ListWindow::close();
}

QString BrowseBugs::filterActiveText() const
{
    return m_filterActive ? m_filterActive->text() : QString();
}

void BrowseBugs::showFilterActive()
{
    const bool active = !issueList().xplore().filter().filteredFields().isEmpty();
    m_filterActive->setText(active ? translated("Filter active!") : QString());
    m_voidFilter->setVisible(active);
}

void BrowseBugs::voidFiltersAsked()
{
    listext::ui::XploreClass &xplore = issueList().xplore();
    std::vector<ActiveFilter> filters =
        IssueColumnFilters::active(xplore.filter(), issueList().declaration().columns);
    voidColumnFilters(VoidFilters::ask(window(), filters));
}

void BrowseBugs::voidColumnFilters(const QString &answer)
{
    listext::ui::XploreClass &xplore = issueList().xplore();
    if (answer == VoidFilters::VoidAll)
        xplore.filter().clearAll();
    else if (!answer.trimmed().isEmpty())
        xplore.filter().clearFilter(answer.trimmed().toUpper());
    else
        return;
    (void)xplore.applyFilter();
    showFilterActive();
}

void BrowseBugs::routeStatusFilters()
{
    // The popup's "less than" and "greater than" items on the status column bound the status's
    // sort number instead of comparing the status texts; on every other column they stay the
    // extension's own.
    listext::ui::XploreClass &xplore = issueList().xplore();
    const std::pair<const char *, int> items[] = {{"ADDF2", -1}, {"ADDF3", +1}};
    for (const auto &[name, direction] : items) {
        QAction *item = xplore.popupItem(QLatin1String(name));
        if (!item)
            continue;
        QObject::disconnect(item, &QAction::triggered, &xplore, nullptr);
        const int event =
            direction < 0 ? listext::ui::XploreEvent::FilterLess : listext::ui::XploreEvent::FilterGreater;
        connect(item, &QAction::triggered, this, [this, event, direction = direction]() {
            listext::ui::XploreClass &x = issueList().xplore();
            if (x.currentField().trimmed().toUpper() == QLatin1String("BUG:STATUS"))
                filterByStatusOrder(direction);
            else
                x.takeEvent(event);
        });
    }
}

void BrowseBugs::filterByStatusOrder(int direction)
{
    const int row = issueList().currentRow();
    if (row < 0)
        return;
    listext::ui::XploreClass &xplore = issueList().xplore();
    // The list reads only the columns it shows; the sort number comes from the issue itself.
    data::FileManager &bugs = *m_session.file(QStringLiteral("Bugs"));
    data::Record issue = bugs.newRecord();
    issue.setValue(QStringLiteral("ID"), issueList().model().rawValue(row, QStringLiteral("BUG:ID")));
    if (!bugs.fetch(QStringLiteral("BUG:KeyID"), issue))
        return;
    const QString sort = QString::number(issue.integer(QStringLiteral("StatusSort")));
    xplore.filter().setValueFilter(QStringLiteral("BUG:STATUSSORT"),
                                   direction < 0 ? listext::XploreFilter::Operator::Less
                                                 : listext::XploreFilter::Operator::Greater,
                                   sort, false);
    (void)xplore.applyFilter();
}

void BrowseBugs::buildStatusPopup()
{
    QMenu *popup = issueList().xplore().popup();
    for (QAction *old : popup->actions())
        if (old->objectName() == QLatin1String("StatusSep") ||
            old->objectName() == QLatin1String("SetStatus")) {
            popup->removeAction(old);
            // The sub-menu owns its own item; the separator is the popup's.
            if (QMenu *sub = old->menu())
                delete sub;
            else
                delete old;
        }
    // With the workflow the status goes only through the issue form.
    QPushButton *change = issueList().button(2);
    const int row = issueList().currentRow();
    if (m_look.workflowOn || row < 0 || (change && !change->isEnabled()))
        return;
    const qint64 id = issueList().model().rawValue(row, QStringLiteral("BUG:ID")).toLongLong();
    const QString current =
        issueList().model().rawValue(row, QStringLiteral("BUG:Status")).toString().trimmed();
    popup->addSeparator()->setObjectName(QStringLiteral("StatusSep"));
    QMenu *statuses = popup->addMenu(translated("Set Status"));
    statuses->menuAction()->setObjectName(QStringLiteral("SetStatus"));
    // From the last entry to the first: item 20000 + k stands for the entry at (count - k).
    const int count = int(m_look.statuses.size());
    for (int k = 0; k < count; ++k) {
        const int position = count - k;
        const QString status = m_look.statuses.at(size_t(position - 1)).status.trimmed();
        QAction *item = status.isEmpty() ? statuses->addSeparator() : statuses->addAction(status);
        item->setObjectName(QString::number(20000 + k));
        item->setEnabled(status.isEmpty() || status != current);
        connect(item, &QAction::triggered, this, [this, id, position]() { changeStatus(id, position); });
    }
}

void BrowseBugs::changeStatus(qint64 id, int position)
{
    data::FileManager &bugs = *m_session.file(QStringLiteral("Bugs"));
    data::Record &buffer = bugs.buffer();
    buffer = bugs.newRecord();
    buffer.setValue(QStringLiteral("ID"), id);
    if (id <= 0 || !bugs.fetch(QStringLiteral("BUG:KeyID"), buffer))
        return;
    IssueSave save(m_session, core::SettingsRecord::instance().values());
    auto opened = save.open(IssueRequest::Change);
    if (!opened) {
        showError(opened.error());
        return;
    }
    if (*opened != IssueRequest::Change)
        return; // held by another user: the form said so
    if (!IssueStatus::takePosition(save.issue(), m_look.statuses, position)) {
        (void)save.cancel();
        return;
    }
    QStringList also;
    if (std::optional<Error> failed = core::readKeyOrder(
            m_session, QStringLiteral("BugsResponsible"), QStringLiteral("BUR:KeyIDResponsible"), {id},
            [&also](const data::Record &r) { also << r.text(QStringLiteral("RESPONSIBLE")).trimmed(); })) {
        (void)save.cancel();
        showError(*failed);
        return;
    }
    auto config = loadFieldConfig(m_session);
    auto rules = loadFieldRules(m_session);
    if (!config || !rules) {
        (void)save.cancel();
        showError(!config ? config.error() : rules.error());
        return;
    }
    const IssueFieldRules fieldRules(m_session, std::move(config).value(), std::move(rules).value());
    const SaveResult saved =
        save.ok(fieldRules, also, core::PriorityQueue::global().rows(), m_filter.release);
    if (saved.outcome == SaveResult::Outcome::Failed)
        showError(saved.error);
    else if (saved.outcome != SaveResult::Outcome::Saved)
        (void)save.cancel();
    m_detail->showIssue(0);
    reloadIssues();
}

bool BrowseBugs::takeEvent(int event, const QVariant &data)
{
    if (event == TreeLoad) {
        m_treeUi->takeEvent(event);
        // The restore follows once the tree has shown its first rows, as a new selection would.
        if (std::exchange(m_treeFirstLoad, false))
            QMetaObject::invokeMethod(this, &BrowseBugs::restoreSelection, Qt::QueuedConnection);
        return true;
    }
    if (event == Events::SettingsChanged) {
        applySettings();
        return true;
    }
    if (event == Events::SortOrderSettingsChanged) {
        // The sort options changed: the list starts again from its own order.
        issueList().xplore().removeAllSorts();
        return true;
    }
    if (event == Events::ShowDemoFeature) {
        showDemoFeature();
        return true;
    }
    if (event == Events::FrameResized) {
        if (auto *child = qobject_cast<QMdiSubWindow *>(frame()))
            child->showMaximized();
        fitFrame();
        return true;
    }
    return ListWindow::takeEvent(event, data);
}

void BrowseBugs::restoreState()
{
    const auto number = [this](const char *key, const char *fallback) {
        return m_userIni.value(Section, QLatin1String(key), QLatin1String(fallback)).toInt();
    };
    m_filter.secP = m_user.secP;
    m_filter.tab = std::clamp(number("Last Tab", "1"), 1, int(IssueListFilter::AllTab));
    m_filter.showFixed = number("Display fixed", "1") != 0;
    m_filter.onlyMine = m_user.boundToOwnIssues || number("Display only responsible", "0") != 0;
    IssueListFilter last = m_filter;
    last.prgId = number("Last Program", "0");
    last.release = m_userIni.value(Section, QStringLiteral("Last Release")).trimmed();
    last.programFile = m_userIni.value(Section, QStringLiteral("Last PrgFile")).trimmed();
    m_lastSelection = last;
    // The last session's program is read at once when the user may still see it; the tree's
    // first load confirms it or resets the selection.
    if (last.prgId > 0 && secPAllows(m_filter.secP, last.prgId))
        m_filter = last;
    const QSignalBlocker tabs(m_categories), fixed(m_fixed), mine(m_mine);
    m_categories->setCurrentIndex(m_filter.tab - 1);
    m_fixed->setChecked(m_filter.showFixed);
    m_mine->setChecked(m_filter.onlyMine);
    m_mine->setVisible(!m_user.boundToOwnIssues);
}

void BrowseBugs::saveState()
{
    const auto put = [this](const char *key, const QString &value) {
        if (auto r = m_userIni.setValue(Section, QLatin1String(key), value); !r)
            showError(r.error());
    };
    put("Last Tab", QString::number(m_filter.tab));
    put("Last Program", QString::number(m_filter.prgId));
    put("Last Release", m_filter.release);
    put("Last PrgFile", m_filter.programFile);
}

void BrowseBugs::sendEMail(const QString &responsible, const QPoint &below)
{
    core::AccessServices *access = core::Services::access();
    const QString address =
        responsible.trimmed().isEmpty() || !access
            ? QString()
            : access->getValue(QStringLiteral("BEN:EMail"), responsible.trimmed()).trimmed();
    core::MailServices *mail = core::Services::mail();
    if (address.isEmpty() || !mail) {
        Messages::show(translated("No address specified!"), translated("Error"), MessageIcon::Exclamation);
        return;
    }
    mail->sendEMail(context().number(), address, below.x(), below.y());
}

Result<std::vector<std::pair<qint64, QString>>> BrowseBugs::attachmentsOf(qint64 bugId) const
{
    std::vector<std::pair<qint64, QString>> attachments;
    if (std::optional<Error> failed = core::readKeyOrder(
            m_session, QStringLiteral("Attachments"), QStringLiteral("ATT:KeyBugIDDescription"), {bugId},
            [&attachments](const data::Record &r) {
                attachments.emplace_back(r.integer(QStringLiteral("ID")),
                                         r.text(QStringLiteral("Description")).trimmed());
            }))
        return *failed;
    return attachments;
}

void BrowseBugs::chooseAttachment(qint64 bugId)
{
    auto attachments = attachmentsOf(bugId);
    if (!attachments) {
        showError(attachments.error());
        return;
    }
    // Every attachment is offered, however many there are, each by its own number.
    QMenu menu;
    for (const auto &[id, description] : *attachments) {
        QString text = description;
        menu.addAction(text.replace(QLatin1Char('&'), QStringLiteral("&&")))->setData(id);
    }
    if (QAction *chosen = menu.exec(QCursor::pos()))
        openAttachment(chosen->data().toLongLong());
}

void BrowseBugs::openAttachment(qint64 attachmentId)
{
    data::FileManager &attachments = *m_session.file(QStringLiteral("Attachments"));
    data::Record &buffer = attachments.buffer();
    buffer = attachments.newRecord();
    buffer.setValue(QStringLiteral("ID"), attachmentId);
    if (!attachments.fetch(QStringLiteral("ATT:KeyID"), buffer))
        return;
    const int before = context().threadRequest();
    context().setThreadRequest(2);
    runProcedure(UpdateAttachments, [this, before]() { context().setThreadRequest(before); });
}

QSize BrowseBugs::frameMinimumSize() const
{
    QWidget *content = window();
    QPushButton *change = issueList().button(2);
    if (!content || !m_hsplit || !change)
        return {};
    const int hsplit = m_hsplit->mapTo(content, QPoint(0, 0)).y() + m_hsplit->sizes().value(0);
    const int changeX = change->mapTo(content, QPoint(0, 0)).x();
    return {changeX + 196, hsplit + 203};
}

void BrowseBugs::fitFrame()
{
    // Only the program's frame window takes the size; a browse shown on its own keeps its own.
    QWidget *content = window();
    QWidget *top = content ? content->window() : nullptr;
    if (!top || top == content || !top->findChild<QMdiArea *>())
        return;
    top->setMinimumSize(frameMinimumSize());
}

void BrowseBugs::restoreBars()
{
    const auto position = [this](const char *key, const char *fallback) {
        return m_programIni.value(Section, QLatin1String(key), QLatin1String(fallback)).toInt();
    };
    m_barPositions = {{m_hsplit, position("HSplit Pos", "106")},
                      {m_vsplitA, position("VSplitA Pos", "331")},
                      {m_vsplit, position("VSplit Pos", "0")}};
    for (QSplitter *splitter : {m_hsplit.data(), m_vsplitA.data(), m_vsplit.data()}) {
        // The panes before the bars keep their size when the window grows: the lists take the rest.
        splitter->setStretchFactor(0, 0);
        splitter->setStretchFactor(1, 1);
        splitter->installEventFilter(this);
        placeBar(splitter);
    }
}

void BrowseBugs::placeBar(QSplitter *splitter)
{
    // A bar keeps its place from the window's edge while the window changes its size; the panes
    // after it take the difference. A bar at 0 stays where the layout puts it.
    const auto it = m_barPositions.find(splitter);
    if (it == m_barPositions.end() || it->second <= 0)
        return;
    const int total = splitter->orientation() == Qt::Vertical ? splitter->height() : splitter->width();
    const int rest = total - it->second - splitter->handleWidth();
    if (rest > 0)
        splitter->setSizes({it->second, rest});
}

namespace {

const QString MoveBugs = QStringLiteral("application/x-tarvo-movebugs");
const QString MoveTreeRow = QStringLiteral("application/x-tarvo-movetreerow");

} // namespace

bool BrowseBugs::eventFilter(QObject *watched, QEvent *event)
{
    if (m_treeViewport && watched == m_treeViewport.data()) {
        if (event->type() == QEvent::MouseButtonPress) {
            const auto *press = static_cast<QMouseEvent *>(event);
            m_dragStart = press->position().toPoint();
            m_treeDragRow = m_treeView->indexAt(m_dragStart);
        } else if (event->type() == QEvent::MouseMove) {
            const auto *move = static_cast<QMouseEvent *>(event);
            if ((move->buttons() & Qt::LeftButton) &&
                (move->position().toPoint() - m_dragStart).manhattanLength() >=
                    QApplication::startDragDistance())
                dragTreeRow();
        }
        return takeTreeDrop(event) || ListWindow::eventFilter(watched, event);
    }
    if (m_issueViewport && watched == m_issueViewport.data()) {
        if (event->type() == QEvent::MouseButtonPress) {
            const auto *press = static_cast<QMouseEvent *>(event);
            m_dragStart = press->position().toPoint();
            m_dragButton = press->button();
        } else if (event->type() == QEvent::MouseMove) {
            const auto *move = static_cast<QMouseEvent *>(event);
            if ((move->buttons() & (Qt::LeftButton | Qt::RightButton)) &&
                (move->position().toPoint() - m_dragStart).manhattanLength() >=
                    QApplication::startDragDistance())
                dragIssue();
        }
    }
    if (event->type() == QEvent::Resize)
        if (auto *splitter = qobject_cast<QSplitter *>(watched))
            placeBar(splitter);
    return ListWindow::eventFilter(watched, event);
}

void BrowseBugs::saveBar(QSplitter *splitter)
{
    const std::pair<const char *, QSplitter *> bars[] = {
        {"HSplit Pos", m_hsplit}, {"VSplitA Pos", m_vsplitA}, {"VSplit Pos", m_vsplit}};
    for (const auto &[key, bar] : bars) {
        if (bar != splitter || splitter->count() < 2)
            continue;
        const int position = splitter->sizes().front();
        m_barPositions[splitter] = position;
        if (auto r = m_programIni.setValue(Section, QLatin1String(key), QString::number(position)); !r)
            showError(r.error());
    }
}

void BrowseBugs::selectCategory(int tab)
{
    tab = std::clamp(tab, 1, int(IssueListFilter::AllTab));
    if (m_categories->currentIndex() != tab - 1) {
        const QSignalBlocker blocker(m_categories);
        m_categories->setCurrentIndex(tab - 1);
    }
    if (m_filter.tab == tab)
        return;
    m_filter.tab = tab;
    reloadIssues();
}

void BrowseBugs::setShowFixed(bool on)
{
    if (m_fixed->isChecked() != on) {
        const QSignalBlocker blocker(m_fixed);
        m_fixed->setChecked(on);
    }
    if (auto r = m_userIni.setValue(Section, QStringLiteral("Display fixed"),
                                    on ? QStringLiteral("1") : QStringLiteral("0"));
        !r)
        showError(r.error());
    if (m_filter.showFixed == on)
        return;
    m_filter.showFixed = on;
    reloadIssues();
}

void BrowseBugs::setOnlyMine(bool on)
{
    if (m_user.boundToOwnIssues)
        on = true;
    if (m_mine->isChecked() != on) {
        const QSignalBlocker blocker(m_mine);
        m_mine->setChecked(on);
    }
    if (!m_user.boundToOwnIssues)
        if (auto r = m_userIni.setValue(Section, QStringLiteral("Display only responsible"),
                                        on ? QStringLiteral("1") : QStringLiteral("0"));
            !r)
            showError(r.error());
    if (m_filter.onlyMine == on)
        return;
    m_filter.onlyMine = on;
    reloadIssues();
}

void BrowseBugs::takeTreeRow(const TreePath &path)
{
    IssueListFilter next = m_filter;
    next.prgId = 0;
    next.release.clear();
    next.programFile.clear();
    for (const auto &[section, record] : path) {
        if (section == m_sections.programs) {
            next.prgId = record.values.value(0).toLongLong();
            next.release.clear();
            next.programFile.clear();
        } else if (section == m_sections.releases) {
            next.release = record.values.value(1).toString().trimmed();
        } else if (section == m_sections.files) {
            next.programFile = record.values.value(1).toString().trimmed();
        }
    }
    const bool same = next.prgId == m_filter.prgId && next.release == m_filter.release &&
                      next.programFile == m_filter.programFile;
    m_filter = next;
    if (!same) {
        if (auto r = applyProgramFilter(); !r)
            showError(r.error());
        // The popup offers the statuses of the chosen program.
        m_look.statuses.clear();
        if (auto r = core::FillStatusList(m_look.statuses, qint32(m_filter.prgId), false, m_session,
                                          core::accessWorkflowRights(*core::Services::access()));
            !r)
            showError(r.error());
        (void)notesList().reload();
        (void)attachmentsList().reload();
        if (m_sheet->currentWidget() == m_linkPage)
            loadWebLinks();
        reloadIssues();
    }
    Q_EMIT programSelected(m_filter.prgId);
}

QModelIndex BrowseBugs::findTreeRow(qint64 prgId, const QString &release, const QString &programFile)
{
    // Walks down to the program, reading only the nodes on the way to it.
    std::function<QModelIndex(const QModelIndex &)> find = [&](const QModelIndex &parent) -> QModelIndex {
        if (m_tree->canFetchMore(parent))
            m_tree->fetchMore(parent);
        for (int r = 0; r < m_tree->rowCount(parent); ++r) {
            const QModelIndex row = m_tree->index(r, 0, parent);
            const TreePath path = m_tree->fetchRow(row);
            const int section = m_tree->sectionOf(row);
            qint64 program = 0;
            for (const auto &[s, record] : path)
                if (s == m_sections.programs)
                    program = record.values.value(0).toLongLong();
            const QString shown =
                path.empty() ? QString() : path.back().second.values.value(1).toString().trimmed();
            if (m_tree->isHeaderRow(row)) {
                if (program == prgId || section == m_sections.programsHeader)
                    if (QModelIndex found = find(row); found.isValid())
                        return found;
            } else if (section == m_sections.programs) {
                if (program == prgId && release.isEmpty() && programFile.isEmpty())
                    return row;
                if (QModelIndex found = find(row); found.isValid())
                    return found;
            } else if ((section == m_sections.releases && program == prgId && programFile.isEmpty() &&
                        shown == release) ||
                       (section == m_sections.files && program == prgId && shown == programFile)) {
                return row;
            }
        }
        return {};
    };
    return prgId > 0 ? find({}) : QModelIndex();
}

bool BrowseBugs::selectTreeRow(qint64 prgId, const QString &release, const QString &programFile)
{
    const QModelIndex found = findTreeRow(prgId, release.trimmed(), programFile.trimmed());
    if (!found.isValid())
        return false;
    m_treeView->setCurrentIndex(found);
    m_treeView->scrollTo(found);
    return true;
}

void BrowseBugs::restoreSelection()
{
    const IssueListFilter last = m_lastSelection.value_or(IssueListFilter{});
    m_lastSelection.reset();
    // A user without a last program starts on the first program, or on the "Programs" row when
    // there is none.
    if (last.prgId <= 0 && m_tree->rowCount() > 0) {
        const QModelIndex top = m_tree->index(0, 0);
        m_treeView->setCurrentIndex(m_tree->rowCount(top) > 0 ? m_tree->index(0, 0, top) : top);
        return;
    }
    if (secPAllows(m_filter.secP, last.prgId) && selectTreeRow(last.prgId, last.release, last.programFile))
        return;
    // A program that is gone (or no longer the user's) leaves no selection; the program limit
    // applies again.
    if (m_filter.prgId != 0) {
        m_filter.prgId = 0;
        m_filter.release.clear();
        m_filter.programFile.clear();
        if (auto r = applyProgramFilter(); !r)
            showError(r.error());
        (void)notesList().reload();
        (void)attachmentsList().reload();
        reloadIssues();
    }
}

Result<void> BrowseBugs::applyIssueFilter()
{
    data::expr::NameTable &names = m_issues->names();
    names.bind(QStringLiteral("PrgID"), m_filter.prgId);
    names.bind(QStringLiteral("Rel"), m_filter.release);
    names.bind(QStringLiteral("Prgfile"), m_filter.programFile);
    names.bind(QStringLiteral("T"), m_filter.tab);
    names.bind(QStringLiteral("SecP"), m_filter.secP);
    names.bind(QStringLiteral("MAK"), m_user.mak);
    names.bind(QStringLiteral("R"), m_filter.onlyMine ? 1 : 0);
    const IssueListFilter::Order order = m_filter.order();
    using Range = IssueListFilter::Order::Range;
    QStringList parts;
    switch (order.range) {
    case Range::None:
        break;
    case Range::Category:
        parts << QStringLiteral("BUG:Category=T");
        break;
    case Range::Program:
        parts << QStringLiteral("BUG:PrgID=PrgID");
        break;
    case Range::Release:
        parts << QStringLiteral("BUG:PrgID=PrgID AND BUG:Version=Rel");
        break;
    case Range::ProgramFile:
        parts << QStringLiteral("BUG:PrgID=PrgID AND BUG:Programfile=Prgfile");
        break;
    }
    if (!order.filter.isEmpty())
        parts << order.filter;
    if (const QString limit = m_filter.limitFilter(); !limit.isEmpty())
        parts << QLatin1Char('(') + limit + QLatin1Char(')');
    parts << m_tools->filterParts();
    if (auto r = m_issues->setOrder(keyOrder(*m_session.file(QStringLiteral("Bugs")), order.key)); !r)
        return r;
    return m_issues->setBaseFilter(parts.join(QStringLiteral(" AND ")));
}

Result<void> BrowseBugs::applyProgramFilter()
{
    for (listext::ViewRowSource *source : {m_notes.get(), m_attachments.get()})
        source->names().bind(QStringLiteral("PrgID"), m_filter.prgId);
    if (auto r = m_notes->setBaseFilter(QStringLiteral("NOTE:PrgID=PrgID AND NOTE:PrgID>0")); !r)
        return r;
    return m_attachments->setBaseFilter(QStringLiteral("ATT:PrgID=PrgID AND ATT:PrgID>0"));
}

void BrowseBugs::reloadIssues()
{
    if (auto r = applyIssueFilter(); !r) {
        showError(r.error());
        return;
    }
    if (auto r = issueList().reload(); !r)
        showError(r.error());
}

void BrowseBugs::applySettings()
{
    const core::SettingsValues settings = core::SettingsRecord::instance().values();
    // The record buttons of the three lists and the trees' popup items take the captions the
    // settings give them.
    const std::pair<bool, QString> captions[] = {
        {settings.overrideInsert(), settings.insertText().trimmed()},
        {settings.overrideChange(), settings.changeText().trimmed()},
        {settings.overrideDelete(), settings.deleteText().trimmed()}};
    const char *popupItems[] = {"Insert", "Change", "Delete"};
    for (int i = 0; i < 3; ++i) {
        const auto &[override, text] = captions[i];
        if (!override || text.isEmpty())
            continue;
        for (int l = 0; l < listCount(); ++l)
            if (QPushButton *b = list(l).button(i + 1))
                b->setText(text);
        for (listext::ui::RelationTreeView *tree : {m_treeUi.data(), m_linkTreeUi.data()})
            if (QAction *item = tree ? tree->popupItem(QLatin1String(popupItems[i])) : nullptr)
                item->setText(text);
    }
    if (auto rules = loadFieldRules(m_session); rules)
        m_fieldRules = std::move(rules).value();
    else
        showError(rules.error());
    readRowLook();
    listext::ui::XploreClass &xplore = issueList().xplore();
    xplore.setAllowMultiSortOrders(
        m_userIni.value(Section, QStringLiteral("AllowMultiSortOrders"), QStringLiteral("1")).toInt() != 0);
    xplore.setMultiSortOrdersReverse(
        m_userIni.value(Section, QStringLiteral("MultiSortOrdersReverse"), QStringLiteral("0")).toInt() != 0);
    if (isOpen()) {
        (void)notesList().reload();
        (void)attachmentsList().reload();
        reloadIssues();
        issueList().model().redecorate();
    }
}

void BrowseBugs::showDemoFeature()
{
    core::FrameGlobals &globals = core::FrameGlobals::instance();
    const int feature = globals.demoFeature();
    const std::map<int, const char *> buttons{
        {1, "?PRINT"}, {4, "?CHANGE"}, {6, "?QUERY"}, {7, "?IMPORTS"}, {8, "?EXPORTS"}};
    if (feature == 99) {
        globals.setDemoFeature(0);
        issueList().view()->setFocus();
        return;
    }
    const auto it = buttons.find(feature);
    if (it == buttons.end())
        return;
    QPushButton *button =
        feature == 4 ? issueList().button(2) : window()->findChild<QPushButton *>(QLatin1String(it->second));
    if (!button || !button->isEnabled()) {
        globals.setDemoFeature(0);
        Messages::beep(MessageIcon::Exclamation);
        return;
    }
    // The issue form that a change opens still shows the feature; the others end it here.
    if (feature != 1 && feature != 4)
        globals.setDemoFeature(0);
    button->click();
}

void BrowseBugs::readRowLook()
{
    const IniFile &ini = m_userIni;
    m_look.colorMode =
        ini.value(QStringLiteral("User Settings"), QStringLiteral("Color Mode"), QStringLiteral("1")).toInt();
    m_look.workflowOn = core::WorkflowSettings::fromSettingsRecord().enabled;
    m_look.statuses.clear();
    if (auto r = core::FillStatusList(m_look.statuses, qint32(m_filter.prgId), false, m_session,
                                      core::accessWorkflowRights(*core::Services::access()));
        !r)
        showError(r.error());
    if (m_look.colorMode == IssueRowLook::ByPriority ||
        m_look.colorMode == IssueRowLook::ByPriorityAndStatus) {
        if (auto r = core::FillPriorityList(m_session); !r)
            showError(r.error());
        m_look.priorities = core::PriorityQueue::global().rows();
    }
}

listext::ui::RowLook BrowseBugs::lookOf(const listext::SourceRow &row) const
{
    const listext::ui::BrowseListModel &model = issueList().model();
    listext::ui::RowLook look;
    const bool tagged =
        BugTagQueue::global().contains(model.fieldValue(row, QStringLiteral("BUG:ID")).toLongLong());
    look.values[QStringLiteral("TagField")] = tagged ? QStringLiteral("*") : QString();
    if (tagged)
        look.icons[QStringLiteral("TagField")] = icon(1);
    if (const int c =
            IssueRowLook::categoryIcon(model.fieldValue(row, QStringLiteral("BUG:Category")).toInt()))
        look.icons[QStringLiteral("BUG:Category")] = icon(c);
    const QString priority = model.fieldValue(row, QStringLiteral("BUG:Priority")).toString();
    const int p = IssueRowLook::priorityIcon(priority);
    look.values[QStringLiteral("PriorityIcon")] = p;
    if (p)
        look.icons[QStringLiteral("PriorityIcon")] = icon(p);
    const qint32 colour =
        m_look.colour(model.fieldValue(row, QStringLiteral("BUG:Status")).toString(), priority);
    if (colour != -1)
        look.colors = {colour, 0xFFFFFF, 0xFFFFFF, colour};
    return look;
}

void BrowseBugs::takeAccepted(const QString &controlName)
{
    const QString name = controlName.toUpper();
    if (m_tools->takeAccepted(name))
        return;
    if (const int index = core::recordButtonIndex(name); index >= 0 && m_leftReleaseAt) {
        // The issue the form changed left the release: the row that took its place is the next
        // one, so a step forward first goes back to the place the issue had.
        const int number = core::RecordButtons[size_t(index)].number;
        const bool forward = number == 3007 || number == 3009;
        if (forward && &currentList() == &issueList() && issueList().currentKey() == *m_leftReleaseAt)
            issueList().goToRow(issueList().currentRow() - 1);
        m_leftReleaseAt.reset();
    }
    if (name == QLatin1String("?AKTUALISIEREN"))
        massUpdate();
    else if (name == QLatin1String("?VOIDFILTER"))
        voidFiltersAsked();
    else if (name == QLatin1String("?PRINT"))
        printIssues();
    else
        ListWindow::takeAccepted(controlName);
}

void BrowseBugs::takeFormChanges()
{
    const FormChanges changes = std::exchange(*m_formChanges, FormChanges{});
    m_leftReleaseAt.reset();
    if (changes.versionChanged && issueList().currentRow() >= 0)
        m_leftReleaseAt = issueList().currentKey();
    if (changes.programChanged) {
        // The tree shows the added release or program file; the selection stays.
        const IssueListFilter selection = m_filter;
        m_tree->refresh(listext::ui::RelationTree::Reload);
        selectTreeRow(selection.prgId, selection.release, selection.programFile);
    }
}

void BrowseBugs::massUpdate()
{
    data::Record settings = core::SettingsRecord::instance().record();
    if (!settings.isValid())
        settings = m_session.file(QStringLiteral("Parameter"))->newRecord();
    IssueMassUpdate run(m_session, settings);
    auto file = run.offeredFields();
    if (!file) {
        showError(file.error());
        return;
    }
    auto choices = run.choices(m_filter.prgId, m_look.statuses, core::PriorityQueue::global().rows(),
                               core::UserQueue::global().rows());
    if (!choices) {
        showError(choices.error());
        return;
    }
    query::MassUpdate update(*file, std::move(choices).value());
    m_tools->massUpdate(update, [&](const std::vector<qint64> &ids, const query::MassUpdate &values) {
        auto outcome = run.run(ids, values, m_look.statuses, core::PriorityQueue::global().rows());
        return outcome ? Result<void>() : Result<void>(outcome.error());
    });
}

Result<const query::RegisteredFile *> BrowseBugs::searchFile()
{
    if (!m_searchFile) {
        auto file = registeredIssues(m_session.file(QStringLiteral("Bugs"))->layoutPtr());
        if (!file)
            return file.error();
        m_searchFile = std::make_unique<query::RegisteredFile>(std::move(file).value());
    }
    return m_searchFile.get();
}

void BrowseBugs::setExportPathAsker(std::function<QString(QWidget *parent)> asker)
{
    exportPathAsker() = std::move(asker);
}

void BrowseBugs::setImportPathAsker(std::function<QString(QWidget *parent)> asker)
{
    importPathAsker() = std::move(asker);
}

void BrowseBugs::printIssues()
{
    core::Services::reports()->browseReports(context().number(), core::ReportType::Issues, &m_issues->view(),
                                             m_tools->queryDescription());
    reloadIssues();
}

void BrowseBugs::printPrograms()
{
    core::Services::reports()->browseReports(context().number(), core::ReportType::Programs, nullptr,
                                             QString());
    reloadIssues();
}

void BrowseBugs::dragIssue()
{
    const int row = issueList().currentRow();
    if (row < 0)
        return;
    auto *mime = new QMimeData;
    const qint64 id = issueList().model().rawValue(row, QStringLiteral("BUG:ID")).toLongLong();
    // A drag with the right button offers to copy as well as to move.
    const bool copyOnDrop = m_dragButton == Qt::RightButton;
    mime->setData(MoveBugs, QByteArray::number(id) + (copyOnDrop ? "/copy" : "/move"));
    auto *drag = new QDrag(issueList().view());
    drag->setMimeData(mime);
    drag->exec(Qt::MoveAction | Qt::CopyAction, Qt::MoveAction);
}

void BrowseBugs::dragTreeRow()
{
    if (programOf(m_treeDragRow) == 0)
        return;
    auto *mime = new QMimeData;
    mime->setData(MoveTreeRow, QByteArray::number(programOf(m_treeDragRow)));
    auto *drag = new QDrag(m_treeView);
    drag->setMimeData(mime);
    drag->exec(Qt::MoveAction, Qt::MoveAction);
}

qint64 BrowseBugs::programOf(const QModelIndex &row) const
{
    if (!row.isValid() || m_tree->sectionOf(row) != m_sections.programs)
        return 0;
    const auto path = m_tree->fetchRow(row);
    return path.empty() ? 0 : path.back().second.values.value(0).toLongLong();
}

void BrowseBugs::pressMove(int step)
{
    if (auto r = moveTreeRow(step); !r)
        showError(r.error());
}

Result<void> BrowseBugs::moveTreeRow(int step)
{
    const qint64 id = programOf(m_treeView->currentIndex());
    if (id == 0 || isDenied(step < 0 ? QStringLiteral("MoveUpPUT") : QStringLiteral("MoveDownPUT")))
        return {};
    QApplication::setOverrideCursor(Qt::WaitCursor);
    auto moved =
        TreeMoves(m_session, QStringLiteral("Programs"), QStringLiteral("PRG")).moveAmongSiblings(id, step);
    if (moved && *moved == TreeMoves::Outcome::Moved) {
        m_tree->refresh(listext::ui::RelationTree::Reload);
        selectTreeRow(id);
    }
    QApplication::restoreOverrideCursor();
    if (!moved)
        return moved.error();
    return {};
}

Result<void> BrowseBugs::dropTreeRow(const QModelIndex &dragged, const QModelIndex &target)
{
    const qint64 id = programOf(dragged);
    const qint64 parent = programOf(target);
    const bool onTop = !target.isValid() || m_tree->sectionOf(target) == m_sections.programsHeader;
    if (id == 0 || (!onTop && parent == 0)) {
        Messages::beep(MessageIcon::Exclamation);
        return {};
    }
    QApplication::setOverrideCursor(Qt::WaitCursor);
    auto moved = TreeMoves(m_session, QStringLiteral("Programs"), QStringLiteral("PRG")).reparent(id, parent);
    if (moved && *moved == TreeMoves::Outcome::Moved) {
        m_tree->refresh(listext::ui::RelationTree::Reload);
        if (parent != 0 && selectTreeRow(parent))
            m_tree->expandNode(m_treeView->currentIndex(), true);
    }
    QApplication::restoreOverrideCursor();
    if (!moved)
        return moved.error();
    if (*moved != TreeMoves::Outcome::Moved)
        Messages::beep(MessageIcon::Exclamation);
    return {};
}

bool BrowseBugs::takeTreeDrop(QEvent *event)
{
    switch (event->type()) {
    case QEvent::DragEnter:
    case QEvent::DragMove: {
        auto *drag = static_cast<QDropEvent *>(event);
        if (!drag->mimeData()->hasFormat(MoveBugs) && !drag->mimeData()->hasFormat(MoveTreeRow))
            return false;
        drag->acceptProposedAction();
        return true;
    }
    case QEvent::Drop: {
        auto *drop = static_cast<QDropEvent *>(event);
        if (drop->mimeData()->hasFormat(MoveTreeRow)) {
            drop->acceptProposedAction();
            const QModelIndex target = m_treeView->indexAt(drop->position().toPoint());
            if (auto r = dropTreeRow(m_treeDragRow, target); !r)
                showError(r.error());
            return true;
        }
        if (!drop->mimeData()->hasFormat(MoveBugs))
            return false;
        const QList<QByteArray> parts = drop->mimeData()->data(MoveBugs).split('/');
        const qint64 id = parts.value(0).toLongLong();
        const QModelIndex target = m_treeView->indexAt(drop->position().toPoint());
        drop->acceptProposedAction();
        bool copy = false;
        if (parts.value(1) == "copy") {
            QMenu menu;
            QAction *copyHere = menu.addAction(translated("Copy here"));
            QAction *moveHere = menu.addAction(translated("Move here"));
            menu.addSeparator();
            menu.addAction(translated("Cancel"));
            QAction *chosen = menu.exec(m_treeView->viewport()->mapToGlobal(drop->position().toPoint()));
            if (chosen != copyHere && chosen != moveHere)
                return true;
            copy = chosen == copyHere;
        }
        if (target.isValid())
            m_treeView->setCurrentIndex(target);
        if (auto r = dropIssue(id, target, copy); !r)
            showError(r.error());
        return true;
    }
    default:
        return false;
    }
}

Result<qint64> BrowseBugs::dropIssue(qint64 id, const QModelIndex &target, bool copy)
{
    if (!target.isValid() || m_tree->isHeaderRow(target)) {
        QApplication::beep();
        return qint64(0);
    }
    data::FileManager &bugs = *m_session.file(QStringLiteral("Bugs"));
    data::Record issue = bugs.newRecord();
    issue.setValue(QStringLiteral("ID"), id);
    if (!bugs.fetch(QStringLiteral("BUG:KeyID"), issue))
        return qint64(0);
    const int section = m_tree->sectionOf(target);
    for (const auto &[s, record] : m_tree->fetchRow(target)) {
        if (s == m_sections.programs) {
            issue.setValue(QStringLiteral("PrgID"), record.values.value(0).toLongLong());
            issue.setValue(QStringLiteral("PrgName"), record.values.value(1).toString());
        }
    }
    const QString shown = m_tree->fetchRow(target).back().second.values.value(1).toString();
    if (section == m_sections.releases)
        issue.setValue(QStringLiteral("Version"), shown);
    else if (section == m_sections.files)
        issue.setValue(QStringLiteral("Programfile"), shown);
    qint64 number = id;
    if (copy) {
        auto copied = CopyIssue(m_session, issue);
        if (!copied)
            return copied.error();
        number = *copied;
    } else if (auto moved = bugs.update(issue); !moved) {
        return moved.error();
    }
    reloadIssues();
    return number;
}

} // namespace tarvo::issues::ui
