#include "masterdata/ui/options/ReferenceLists.h"

#include "listext/ViewRowSource.h"
#include "listext/ui/BrowseList.h"
#include "listext/ui/BrowseListModel.h"
#include "listext/ui/ListWindow.h"
#include "masterdata/options/SortedList.h"
#include "masterdata/ui/customers/CustomerLook.h"
#include "masterdata/ui/options/ReferenceForm.h"
#include "platform/data/FileManager.h"
#include "platform/data/Session.h"
#include "platform/runtime/Context.h"
#include "platform/runtime/Messages.h"

#include <QHBoxLayout>
#include <QPushButton>
#include <QVBoxLayout>
#include <QWidget>

#include <array>
#include <optional>

namespace tarvo::masterdata::ui {

namespace {

struct Column {
    const char *field;
    const char *header;
    const char *picture;
    int width;
};

// One list of the window: its file in an order, the entries of one program number, its columns,
// the form behind its record buttons and, for a numbered list, its moves.
struct Declared {
    int number;
    ReferenceKind form;
    const char *file;
    const char *key; // empty: the order the records were added
    qint32 programId;
    const char *filter; // the entries of the list's program number
    std::optional<SortedList::Kind> moves;
    const char *colourField;
    std::array<Column, 2> columns;
};

constexpr Column None{nullptr, nullptr, nullptr, 0};

const Declared Lists[] = {
    {ReferenceLists::IssueStatuses,
     ReferenceKind::Status,
     "Status",
     "STA:KeyPrgIDSortStatus",
     0,
     "(STA:PrgID=0)",
     SortedList::Kind::Status,
     "STA:COLOR",
     {Column{"STA:GRAY", "", "@n1", 20}, Column{"STA:STATUS", "Status", "@s35", 220}}},
    {ReferenceLists::Severities,
     ReferenceKind::Severity,
     "Severity",
     "SEV:KeyPrgIDSortSeverity",
     0,
     "(SEV:PrgID=0)",
     SortedList::Kind::Severity,
     "",
     {Column{"SEV:SEVERITY", "Severity", "@s35", 220}, None}},
    {ReferenceLists::Classifications,
     ReferenceKind::Classification,
     "Classification",
     "CLA:KeyPrgIDSortClassification",
     0,
     "(CLA:PrgID=0)",
     SortedList::Kind::Classification,
     "",
     {Column{"CLA:CLASSIFICATION", "Classification", "@s35", 220}, None}},
    {ReferenceLists::Reproducibles,
     ReferenceKind::Reproducible,
     "Reproducible",
     "REP:KeyReproducible",
     0,
     "",
     std::nullopt,
     "",
     {Column{"REP:REPRODUCIBLE", "Reproducible", "@s35", 220}, None}},
    {ReferenceLists::ContractTypes,
     ReferenceKind::ContractType,
     "ContractTypes",
     "CON:KeyContractType",
     0,
     "",
     std::nullopt,
     "",
     {Column{"CON:CONTRACTTYPE", "Contract type", "@s50", 280}, None}},
    {ReferenceLists::Priorities,
     ReferenceKind::Priority,
     "Priority",
     "PRI:KeyPrioritySort",
     0,
     "",
     std::nullopt,
     "PRI:COLOR",
     {Column{"PRI:PRIORITYSORT", "Sort", "@n3", 40}, Column{"PRI:PRIORITY", "Priority", "@s35", 220}}},
    {ReferenceLists::Resolutions,
     ReferenceKind::Resolution,
     "Resolution",
     "RES:KeyResolution",
     0,
     "",
     std::nullopt,
     "",
     {Column{"RES:RESOLUTION", "Resolution", "@s35", 220}, None}},
    {ReferenceLists::Descriptions,
     ReferenceKind::Description,
     "BugDesc",
     "",
     0,
     "",
     std::nullopt,
     "",
     {Column{"BUD:DESCRIPTION", "Description", "@s255", 520}, None}},
    {ReferenceLists::ProgramStatuses,
     ReferenceKind::ProgramStatus,
     "Status",
     "STA:KeyPrgIDSortStatus",
     ProgramStatusList,
     "(STA:PrgID=200000000)",
     SortedList::Kind::Status,
     "STA:COLOR",
     {Column{"STA:STATUS", "Status", "@s35", 220}, None}},
    {ReferenceLists::NoteStatuses,
     ReferenceKind::NoteStatus,
     "Status",
     "STA:KeyPrgIDSortStatus",
     NoteStatusList,
     "(STA:PrgID=200000001)",
     SortedList::Kind::Status,
     "STA:COLOR",
     {Column{"STA:STATUS", "Status", "@s35", 220}, None}},
};

QString latin(const char *text)
{
    return QString::fromLatin1(text);
}

QPushButton *moveButton(const QString &caption, const QString &name, const char *icon)
{
    auto *button = new QPushButton(caption);
    button->setObjectName(name);
    button->setIcon(QIcon::fromTheme(latin(icon)));
    return button;
}

} // namespace

struct ReferenceLists::List {
    const Declared *declared = nullptr;
    listext::ui::BrowseList *browse = nullptr;
    QWidget *page = nullptr;
};

ReferenceLists::ReferenceLists(listext::ui::ListWindow &window, data::Session &session, QObject *parent)
    : QObject(parent), m_window(window), m_session(session)
{
    for (int row = 0; row < int(std::size(Lists)); ++row)
        addList(row);
}

ReferenceLists::~ReferenceLists() = default;

void ReferenceLists::addList(int row)
{
    const Declared &d = Lists[row];
    data::FileManager &file = *m_session.file(latin(d.file));
    auto source = std::make_unique<listext::ViewRowSource>(file, latin(d.key));
    if (auto opened = file.open(); !opened)
        m_window.showError(opened.error());
    if (*d.filter)
        if (auto r = source->setBaseFilter(latin(d.filter)); !r)
            m_window.showError(r.error());
    listext::ui::ListDeclaration declaration;
    declaration.control = QStringLiteral("?List:%1").arg(d.number);
    declaration.updateProcedure = d.number;
    declaration.watchedFiles = QStringLiteral("|%1|").arg(latin(d.file));
    declaration.locator = false;
    for (const Column &c : d.columns) {
        if (!c.field)
            continue;
        listext::ColumnDefinition column =
            listext::ColumnDefinition::of(latin(c.field), latin(c.header), latin(c.picture), c.width);
        column.icon = column.field == QLatin1String("STA:GRAY");
        if (column.kind() != listext::ColumnKind::Text)
            column.justification = QLatin1Char('R');
        declaration.columns.push_back(column);
    }
    listext::ui::BrowseList &browse = m_window.addList(std::move(declaration), std::move(source));
    const QString colourField = latin(d.colourField);
    const bool grayMark = d.columns[0].field == QLatin1String("STA:GRAY");
    if (!colourField.isEmpty() || grayMark) {
        browse.model().setRowDecorator([&browse, colourField, grayMark](const listext::SourceRow &row) {
            listext::ui::RowLook look;
            if (!colourField.isEmpty())
                look.colors[0] = browse.model().fieldValue(row, colourField).toInt();
            if (grayMark && browse.model().fieldValue(row, QStringLiteral("STA:GRAY")).toInt() != 0)
                look.icons[QStringLiteral("STA:GRAY")] = tagIcon();
            return look;
        });
    }

    List list{&d, &browse, nullptr};
    auto *page = new QWidget;
    page->setObjectName(QStringLiteral("List%1").arg(d.number));
    auto *layout = new QHBoxLayout(page);
    layout->addWidget(browse.panel(), 1);
    if (d.moves) {
        // The moves take the suffix of the list's own buttons.
        const QString suffix = browse.button(Request::Insert)->objectName().mid(int(qstrlen("Insert")));
        auto *moves = new QVBoxLayout;
        auto *up = moveButton(QStringLiteral("Move Up"), QStringLiteral("MoveUp") + suffix, "go-up");
        auto *down = moveButton(QStringLiteral("Move Down"), QStringLiteral("MoveDown") + suffix, "go-down");
        moves->addWidget(up);
        moves->addWidget(down);
        moves->addStretch();
        layout->addLayout(moves);
        const int number = d.number;
        // A move needs an entry to move.
        const auto follow = [&browse, up, down]() {
            up->setEnabled(browse.currentRow() >= 0);
            down->setEnabled(browse.currentRow() >= 0);
        };
        follow();
        connect(&browse, &listext::ui::BrowseList::stateChanged, up, follow);
        connect(up, &QPushButton::clicked, this, [this, number]() { move(m_lists.at(number), -1); });
        connect(down, &QPushButton::clicked, this, [this, number]() { move(m_lists.at(number), +1); });
    }
    list.page = page;
    m_lists.emplace(d.number, list);
    m_window.setProcedure(d.number, [this, number = d.number](std::function<void()> finished) {
        openForm(m_lists.at(number), std::move(finished));
    });
}

QWidget *ReferenceLists::page(int number) const
{
    const auto it = m_lists.find(number);
    return it == m_lists.end() ? nullptr : it->second.page;
}

listext::ui::BrowseList *ReferenceLists::list(int number) const
{
    const auto it = m_lists.find(number);
    return it == m_lists.end() ? nullptr : it->second.browse;
}

Result<data::Record> ReferenceLists::current(const List &list) const
{
    const qint64 key = list.browse->currentKey();
    if (key <= 0)
        return data::Record{};
    data::FileManager &file = *m_session.file(latin(list.declared->file));
    data::Record record = file.newRecord();
    if (auto fetched = file.fetchRow(key, record); !fetched)
        return fetched.error();
    return record;
}

void ReferenceLists::openForm(const List &list, std::function<void()> finished)
{
    const int request = m_window.context().threadRequest();
    auto selected = current(list);
    if (!selected) {
        m_window.showError(selected.error());
        finished();
        return;
    }
    // A new entry of a numbered list goes right after the entry selected in that same list.
    const bool numbered = list.declared->moves.has_value();
    const qint64 after = numbered && selected->isValid() ? selected->integer(QStringLiteral("SORT")) : 0;
    const Declared &d = *list.declared;
    openReferenceForm(m_window.context(), m_session, d.form, d.programId, request, *selected, after,
                      m_window.window(), [this, &d, request, after, finished](int response) {
                          if (request == Request::Insert && response == Response::Completed && d.moves) {
                              // The list follows the new entry, which took the place after the selection.
                              auto entries = SortedList(m_session, *d.moves, d.programId).entries();
                              const size_t at = size_t(std::max<qint64>(after, 0));
                              if (entries && at < entries->size())
                                  m_window.followKey((*entries)[at].rowId());
                          }
                          finished();
                      });
}

void ReferenceLists::move(const List &list, int step)
{
    auto entry = current(list);
    if (!entry) {
        m_window.showError(entry.error());
        return;
    }
    if (!entry->isValid())
        return;
    const Declared &d = *list.declared;
    auto moved = SortedList(m_session, *d.moves, d.programId).move(*entry, step);
    if (moved && !*moved)
        Messages::beep(MessageIcon::Exclamation);
    // A failed read or write has been reported by the data layer; the list's own refusals are told here.
    if (!moved && SortedList::isOwnError(moved.error()))
        m_window.showError(moved.error());
    (void)list.browse->refresh(entry->rowId());
}

} // namespace tarvo::masterdata::ui
