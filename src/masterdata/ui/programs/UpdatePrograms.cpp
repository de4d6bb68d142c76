#include "masterdata/ui/programs/UpdatePrograms.h"

#include "core/helpers/ShellOpen.h"
#include "core/lists/ReadKeyOrder.h"
#include "core/lists/TreeMoves.h"
#include "core/services/IssueServices.h"
#include "core/services/Services.h"
#include "core/startup/SettingsRecord.h"
#include "core/ui/RecordButtonCaptions.h"
#include "listext/ViewRowSource.h"
#include "listext/ui/BrowseList.h"
#include "listext/ui/BrowseListModel.h"
#include "listext/ui/TagTools.h"
#include "masterdata/customers/CustomerTagQueue.h"
#include "masterdata/programs/ProgramExport.h"
#include "masterdata/ui/customers/CustomerLook.h"
#include "masterdata/ui/customers/UpdateCustomerPrograms.h"
#include "masterdata/ui/options/ReferenceForm.h"
#include "masterdata/ui/programs/UpdateProgramFiles.h"
#include "masterdata/ui/programs/UpdateProgramRelease.h"
#include "platform/data/FileManager.h"
#include "platform/data/Session.h"
#include "platform/runtime/Messages.h"
#include "platform/runtime/Translator.h"

#include <QApplication>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QTableView>
#include <QVBoxLayout>

namespace tarvo::masterdata::ui {

namespace {

// The statuses that a program itself may have, kept by the options under this program number.
constexpr qint64 ProgramStatuses = 200000000;

QPushButton *namedButton(const QString &name, const QString &caption)
{
    auto *button = new QPushButton(caption);
    button->setObjectName(name);
    return button;
}

QString suffix(int number)
{
    return number == 1 ? QString() : QStringLiteral(":%1").arg(number);
}

// The file of the status (1), severity (2) or classification (3) list.
QString referenceLabel(int number)
{
    return number == 1   ? QStringLiteral("Status")
           : number == 2 ? QStringLiteral("Severity")
                         : QStringLiteral("Classification");
}

std::function<QString(QWidget *)> &exportPathAsker()
{
    static std::function<QString(QWidget *)> asker;
    return asker;
}

// The buyer's fields the customers list shows beside the purchase: list column, customer field.
const std::pair<const char *, const char *> BuyerColumns[] = {{"CustomerStatus", "CUS:Status"},
                                                              {"CustomerAddress", "CUS:Address"},
                                                              {"CustomerLastname", "CUS:Lastname"},
                                                              {"CustomerFirstname", "CUS:Firstname"}};

} // namespace

UpdatePrograms::UpdatePrograms(Context &context, data::Session &session, QObject *parent)
    : UpdateForm(context, QStringLiteral("UpdatePrograms"), session, QStringLiteral("Programs"), parent)
{
    // The caller names the parent of a new program in the buffer, which priming clears.
    m_parent = record().isValid() ? record().integer(QStringLiteral("PRG:P")) : 0;

    auto *window = new QWidget;
    // Wide enough to show every tab.
    window->setMinimumSize(680, 440);
    auto *layout = new QVBoxLayout(window);
    m_tabs = new QTabWidget;
    layout->addWidget(m_tabs);

    auto *general = new QWidget;
    auto *rows = new QFormLayout(general);
    auto *name = new QLineEdit;
    name->setObjectName(QStringLiteral("PRG:PRGNAME"));
    m_status = new QComboBox;
    m_status->setObjectName(QStringLiteral("PRG:STATUS"));
    auto *id = new QLabel;
    id->setObjectName(QStringLiteral("PRG:ID"));
    m_homepage = new QLineEdit;
    m_homepage->setObjectName(QStringLiteral("PRG:HOMEPAGE"));
    auto *surf = namedButton(QStringLiteral("IL"), QStringLiteral("Surf the web"));
    auto *homeRow = new QHBoxLayout;
    homeRow->addWidget(m_homepage);
    homeRow->addWidget(surf);
    auto *description = new QPlainTextEdit;
    description->setObjectName(QStringLiteral("PRG:DESCRIPTION"));
    rows->addRow(QStringLiteral("Program:"), name);
    rows->addRow(QStringLiteral("Status:"), m_status);
    rows->addRow(QStringLiteral("ID:"), id);
    rows->addRow(QStringLiteral("Homepage:"), homeRow);
    rows->addRow(QStringLiteral("Description:"), description);
    m_tabs->addTab(general, QStringLiteral("General"));

    m_tabs->addTab(addList(ReleaseList, QStringLiteral("Releases"), QStringLiteral("REL:KeyPrgIDRelease"),
                           QStringLiteral("REL:PRGID"),
                           {{QStringLiteral("REL:Release"), QStringLiteral("Release")},
                            {QStringLiteral("REL:ReleaseDate"), QStringLiteral("Date")},
                            {QStringLiteral("REL:Description"), QStringLiteral("Description")}},
                           true),
                   QStringLiteral("Releases"));
    m_tabs->addTab(addList(ProgramFileList, QStringLiteral("Programfiles"),
                           QStringLiteral("PFIL:KeyPrgIDFile"), QStringLiteral("PFIL:PRGID"),
                           {{QStringLiteral("PFIL:FILE"), QStringLiteral("File")},
                            {QStringLiteral("PFIL:SINCERELEASE"), QStringLiteral("Since Rel.")},
                            {QStringLiteral("PFIL:Description"), QStringLiteral("Description")}},
                           true),
                   QStringLiteral("Programfiles"));

    m_tabs->addTab(addList(NoteList, QStringLiteral("Notes"),
                           QStringLiteral("NOTE:KeyPrgIDCreatedDateCreatedTime"),
                           QStringLiteral("NOTE:PrgID"),
                           {{QStringLiteral("NOTE:CreatedDate"), QStringLiteral("Date")},
                            {QStringLiteral("NOTE:CreatedTime"), QStringLiteral("Time")},
                            {QStringLiteral("NOTE:Status"), QStringLiteral("Status")},
                            {QStringLiteral("NOTE:Note"), QStringLiteral("Note")}},
                           true),
                   QStringLiteral("Notes"));
    auto *attachmentsPage = new QWidget;
    auto *attachmentsLayout = new QVBoxLayout(attachmentsPage);
    attachmentsLayout->addWidget(addList(AttachmentList, QStringLiteral("Attachments"),
                                         QStringLiteral("ATT:KeyPrgIDDescription"),
                                         QStringLiteral("ATT:PrgID"),
                                         {{QStringLiteral("ATT:Description"), QStringLiteral("Description")},
                                          {QStringLiteral("ATT:Date"), QStringLiteral("Date")}},
                                         true),
                                 1);
    // The selected attachment's notes, below its row.
    auto *attachmentNotes = new QPlainTextEdit;
    attachmentNotes->setObjectName(QStringLiteral("ATT:NOTES"));
    attachmentNotes->setReadOnly(true);
    attachmentNotes->setMaximumHeight(80);
    attachmentsLayout->addWidget(attachmentNotes);
    m_tabs->addTab(attachmentsPage, QStringLiteral("Attachments"));
    m_tabs->addTab(addCustomerList(), QStringLiteral("Customers"));
    // However the form closes, its tags are not left to the customer browse.
    connect(this, &WindowManager::closed, this, [] { CustomerTagQueue::global().clear(); });
    connect(list(AttachmentList), &listext::ui::BrowseList::stateChanged, attachmentNotes,
            [this, attachmentNotes] {
                data::FileManager *file = this->session().file(QStringLiteral("Attachments"));
                data::Record attachment = file->newRecord();
                const qint64 row = list(AttachmentList)->currentKey();
                attachmentNotes->setPlainText(row > 0 && file->fetchRow(row, attachment)
                                                  ? attachment.text(QStringLiteral("ATT:Notes"))
                                                  : QString());
            });

    auto *settings = m_settings = new QTabWidget;
    settings->setObjectName(QStringLiteral("Tab:Settings"));
    // The program's own entries of the lists the issue form offers, in the order they show.
    const Move moves[] = {
        {QStringLiteral("UP"), QStringLiteral("DOWN"), StatusList, QStringLiteral("Status"),
         SortedList::Kind::Status},
        {QStringLiteral("SEV_UP"), QStringLiteral("SEV_DOWN"), SeverityList, QStringLiteral("Severity"),
         SortedList::Kind::Severity},
        {QStringLiteral("CLA_UP"), QStringLiteral("CLA_DOWN"), ClassificationList,
         QStringLiteral("Classification"), SortedList::Kind::Classification},
    };
    settings->addTab(addOrderedList(QStringLiteral("Status"), QStringLiteral("STA:KeyPrgIDSortStatus"),
                                    QStringLiteral("STA:STATUS"), moves[0]),
                     QStringLiteral("Status"));
    settings->addTab(addOrderedList(QStringLiteral("Severity"), QStringLiteral("SEV:KeyPrgIDSortSeverity"),
                                    QStringLiteral("SEV:SEVERITY"), moves[1]),
                     QStringLiteral("Severity"));
    settings->addTab(addOrderedList(QStringLiteral("Classification"),
                                    QStringLiteral("CLA:KeyPrgIDSortClassification"),
                                    QStringLiteral("CLA:CLASSIFICATION"), moves[2]),
                     QStringLiteral("Classification"));
    m_tabs->addTab(settings, QStringLiteral("Settings"));

    auto *buttons = new QDialogButtonBox;
    auto *ok = namedButton(QStringLiteral("OK"), QStringLiteral("&OK"));
    auto *cancel = namedButton(QStringLiteral("Cancel"), QStringLiteral("&Cancel"));
    buttons->addButton(ok, QDialogButtonBox::AcceptRole);
    buttons->addButton(cancel, QDialogButtonBox::RejectRole);
    layout->addWidget(buttons);
    setWindow(window);

    field(QStringLiteral("PRG:PrgName"), name).required();
    field(QStringLiteral("PRG:Status"), m_status);
    field(QStringLiteral("PRG:ID"), id);
    field(QStringLiteral("PRG:Homepage"), m_homepage);
    field(QStringLiteral("PRG:Description"), description);
    setButtons(ok, cancel);
    acceptOn(surf);
    onPrime([this](data::Record &program) {
        program.setValue(QStringLiteral("PRG:P"), m_parent);
        auto sort = core::TreeMoves(this->session(), QStringLiteral("Programs"), QStringLiteral("PRG"))
                        .nextSort(m_parent);
        program.setValue(QStringLiteral("PRG:Sort"), sort ? *sort : 1);
    });
}

UpdatePrograms::~UpdatePrograms()
{
    // The views go with the window before the sources they show.
    delete window();
}

QWidget *UpdatePrograms::addList(int number, const QString &label, const QString &key,
                                 const QString &programField,
                                 std::vector<std::pair<QString, QString>> columns, bool withForm)
{
    data::FileManager *file = session().file(label);
    listext::ui::ListDeclaration declaration;
    for (const auto &[fieldName, header] : columns) {
        listext::ColumnDefinition column;
        column.field = fieldName;
        column.header = column.description = header;
        const int index = file->layout().fieldIndex(fieldName);
        const bool isDate = fieldName.endsWith(QLatin1String("Date"));
        const bool isTime = fieldName.endsWith(QLatin1String("Time"));
        column.picture =
            isDate ? QStringLiteral("@D017B")
            : isTime
                ? QStringLiteral("@T08B")
                : QStringLiteral("@s%1").arg(index >= 0 ? qMin(file->layout().field(index).size, 255) : 35);
        column.width = isDate || isTime ? 90 : 150;
        declaration.columns.push_back(column);
    }
    declaration.updateProcedure = withForm ? number : 0;
    return addBrowse(number, label, key, programField, std::move(declaration));
}

QWidget *UpdatePrograms::addBrowse(int number, const QString &label, const QString &key,
                                   const QString &programField, listext::ui::ListDeclaration declaration)
{
    List entry{number, programField + QStringLiteral("=PrgID"), nullptr, nullptr};
    entry.source = std::make_unique<listext::ViewRowSource>(*session().file(label), key);
    const bool withForm = declaration.updateProcedure != 0;
    declaration.control = QStringLiteral("?LIST") + suffix(number);
    declaration.locator = false;
    entry.list = std::make_unique<listext::ui::BrowseList>(declaration, *entry.source, suffix(number));
    listext::ui::BrowseList &list = *entry.list;
    for (int request : {Request::Insert, Request::Change, Request::Delete})
        if (QPushButton *button = list.button(request))
            connect(button, &QPushButton::clicked, this,
                    [this, number, request]() { callForm(number, request); });
    if (withForm)
        connect(&list, &listext::ui::BrowseList::rowActivated, this,
                [this, number]() { callForm(number, Request::Change); });
    QWidget *panel = list.panel();
    m_lists.push_back(std::move(entry));
    return panel;
}

QWidget *UpdatePrograms::addOrderedList(const QString &what, const QString &key, const QString &textField,
                                        const Move &move)
{
    auto *page = new QWidget;
    auto *layout = new QVBoxLayout(page);
    layout->addWidget(new QLabel(
        QStringLiteral("Here you can specify entries for the %1 field for this program.").arg(what)));
    layout->addWidget(
        new QLabel(QStringLiteral("The entries entered in the Options will also be available for "
                                  "selection.")));
    auto *row = new QHBoxLayout;
    const QString prefix = key.section(QLatin1Char(':'), 0, 0);
    row->addWidget(
        addList(move.list, move.label, key, prefix + QStringLiteral(":PrgID"), {{textField, what}}, true));
    auto *moves = new QVBoxLayout;
    auto *up = namedButton(move.up, QStringLiteral("Up"));
    auto *down = namedButton(move.down, QStringLiteral("Down"));
    up->setIcon(QIcon::fromTheme(QStringLiteral("go-up")));
    down->setIcon(QIcon::fromTheme(QStringLiteral("go-down")));
    moves->addWidget(up);
    moves->addWidget(down);
    moves->addStretch();
    row->addLayout(moves);
    layout->addLayout(row);
    connect(up, &QPushButton::clicked, this, [this, move]() { moveEntry(move, -1); });
    connect(down, &QPushButton::clicked, this, [this, move]() { moveEntry(move, +1); });
    return page;
}

QWidget *UpdatePrograms::addCustomerList()
{
    listext::ui::ListDeclaration declaration;
    auto column = [&](const char *field, const char *header, const char *picture, int width,
                      bool ofPurchase) {
        listext::ColumnDefinition c;
        c.field = QLatin1String(field);
        c.header = QLatin1String(header);
        c.description = c.header.isEmpty() ? c.field : c.header;
        c.picture = QLatin1String(picture);
        c.width = width;
        c.viewField = c.sortable = ofPurchase;
        c.icon = c.field == QLatin1String("TagField");
        if (c.kind() != listext::ColumnKind::Text)
            c.justification = QLatin1Char('R');
        declaration.columns.push_back(c);
    };
    column("TagField", "", "@s1", 16, false);
    column("CustomerStatus", "Status", "@s35", 60, false);
    column("CustomerAddress", "Address", "@s35", 60, false);
    column("CustomerLastname", "Lastname/Company", "@s100", 140, false);
    column("CustomerFirstname", "Firstname", "@s100", 100, false);
    column("CUP:PurchasedDate", "Date", "@D017B", 80, true);
    column("CUP:PurchasedLicenses", "Lic.", "@N3B", 40, true);
    column("CUP:PurchasedPrice", "Price", "@n12`2", 80, true);
    column("CUP:PurchasedCurrency", "", "@s3", 40, true);
    declaration.updateProcedure = CustomerList;
    declaration.requests = {Request::Change, Request::Delete};

    auto *page = new QWidget;
    auto *layout = new QVBoxLayout(page);
    auto *toolRow = new QHBoxLayout;
    auto *exports = namedButton(QStringLiteral("EXPORTS"), QStringLiteral("Export Wizard"));
    auto *tag = namedButton(QStringLiteral("DASTAG"), QStringLiteral("Tag / Untag record"));
    auto *tagAll = namedButton(QStringLiteral("DASTAGALL"), QStringLiteral("Tag all records"));
    auto *untagAll = namedButton(QStringLiteral("DASUNTAGALL"), QStringLiteral("Untag all records"));
    for (QWidget *w : {static_cast<QWidget *>(exports), static_cast<QWidget *>(tag),
                       static_cast<QWidget *>(tagAll), static_cast<QWidget *>(untagAll)})
        toolRow->addWidget(w);
    layout->addLayout(toolRow);
    layout->addWidget(addBrowse(CustomerList, QStringLiteral("CustomerPrograms"),
                                QStringLiteral("CUP:KeyPrgIDID"), QStringLiteral("CUP:PrgID"),
                                std::move(declaration)),
                      1);

    listext::ui::BrowseList &customers = *list(CustomerList);
    listext::ui::TagToolsDeclaration tools;
    tools.tags = &CustomerTagQueue::global();
    tools.source = m_lists.back().source.get();
    // One customer may have bought the program more than once: each purchase is tagged.
    tools.idField = QStringLiteral("CUP:ID");
    tools.tagFields = {QStringLiteral("CUP:PrgID"), QStringLiteral("CUP:PurchasedDate")};
    tools.exportName = QStringLiteral("Customer.csv");
    tools.tagMovesOn = true;
    tools.askPath = [](QWidget *parent, bool) -> std::optional<QString> {
        if (exportPathAsker())
            return exportPathAsker()(parent);
        return std::nullopt;
    };
    tools.reload = [this] { (void)list(CustomerList)->refresh(); };
    tools.writeTagged = [this](const std::vector<listext::TagQueue::Tag> &tags, QIODevice &out) {
        return exportPurchases(tags, out);
    };
    m_tagTools = std::make_unique<listext::ui::TagTools>(*this, customers, std::move(tools));
    QLabel *count = m_tagTools->makeTagCount(page);
    // Named as the form's other controls are.
    count->setObjectName(QStringLiteral("STR"));
    toolRow->addWidget(count, 1);

    customers.model().setRowDecorator([this](const listext::SourceRow &row) {
        const listext::ui::BrowseListModel &model = list(CustomerList)->model();
        const data::Record &customer =
            customerOf(model.fieldValue(row, QStringLiteral("CUP:ID")).toLongLong());
        listext::ui::RowLook look =
            disabledLook(customer.isValid() ? customer.text(QStringLiteral("CUS:Status")) : QString());
        for (const auto &[column, field] : BuyerColumns)
            look.values[QLatin1String(column)] =
                customer.isValid() ? customer.value(QLatin1String(field)) : QVariant();
        const bool tagged = m_tagTools->isTagged(row);
        look.values[QStringLiteral("TagField")] = tagged ? QStringLiteral("*") : QString();
        if (tagged)
            look.icons[QStringLiteral("TagField")] = tagIcon();
        return look;
    });
    connect(&customers, &listext::ui::BrowseList::stateChanged, this, [this] { m_customers.clear(); });
    // A click on the mark column tags the row without moving on.
    connect(customers.view(), &QTableView::clicked, this, [this](const QModelIndex &index) {
        if (index.column() == 0 &&
            list(CustomerList)->model().headerData(0, Qt::Horizontal, Qt::DisplayRole).toString().isEmpty())
            m_tagTools->tagCurrent(false);
    });
    connect(tag, &QPushButton::clicked, this, [this] { m_tagTools->tagCurrent(true); });
    connect(tagAll, &QPushButton::clicked, this, [this] { m_tagTools->tagAll(); });
    connect(untagAll, &QPushButton::clicked, this, [this] { m_tagTools->untagAll(); });
    connect(exports, &QPushButton::clicked, this, [this] {
        // The program is exported as it stands on the screen.
        if (takeControls())
            m_tagTools->askExport();
    });
    return page;
}

const data::Record &UpdatePrograms::customerOf(qint64 customerId) const
{
    auto [it, added] = m_customers.try_emplace(customerId);
    if (added) {
        data::FileManager &file = *session().file(QStringLiteral("Customer"));
        data::Record customer = file.newRecord();
        customer.setValue(QStringLiteral("CUS:ID"), customerId);
        // A purchase whose customer is gone shows blank buyer columns.
        if (file.fetch(QStringLiteral("CUS:KeyID"), customer))
            it->second = customer;
    }
    return it->second;
}

void UpdatePrograms::setExportPathAsker(std::function<QString(QWidget *)> asker)
{
    exportPathAsker() = std::move(asker);
}

data::Record UpdatePrograms::selectedRow(int number, const QString &label) const
{
    data::FileManager &file = *session().file(label);
    data::Record row = file.newRecord();
    const qint64 key = list(number)->currentKey();
    if (key <= 0 || !file.fetchRow(key, row))
        return file.newRecord();
    return row;
}

Result<int> UpdatePrograms::exportPurchases(const std::vector<listext::TagQueue::Tag> &tags, QIODevice &out)
{
    auto exporter = ProgramExport::create(session());
    if (!exporter)
        return exporter.error();
    // The note and the attachment the form shows go beside each purchase.
    return exporter->write(record(), selectedRow(NoteList, QStringLiteral("Notes")),
                           selectedRow(AttachmentList, QStringLiteral("Attachments")), tags, out);
}

listext::ui::BrowseList *UpdatePrograms::list(int number) const
{
    for (const List &entry : m_lists)
        if (entry.number == number)
            return entry.list.get();
    return nullptr;
}

bool UpdatePrograms::open()
{
    const int request = context().threadRequest();
    window()->setWindowTitle(request == Request::Insert   ? QStringLiteral("Add Program...")
                             : request == Request::Change ? QStringLiteral("Change Program...")
                                                          : QStringLiteral("View Record"));
    fillProgramStatuses();
    if (!UpdateForm::open())
        return false;
    if (!isOpen())
        return true;
    // Tags made in the customer browse do not carry over into a program's customers.
    m_tagTools->untagAll();
    const qint64 programId = record().integer(QStringLiteral("PRG:ID"));
    for (List &entry : m_lists) {
        // The filter takes the bound value when it is set.
        entry.source->names().bind(QStringLiteral("PrgID"), programId);
        if (auto filtered = entry.source->setBaseFilter(entry.filter); !filtered)
            Messages::show(filtered.error().message, QStringLiteral("Tarvo"), MessageIcon::Exclamation);
        (void)entry.list->reload();
    }
    core::ui::applyRecordButtonCaptions(window(), core::SettingsRecord::instance().record());
    // With the workflow on, the statuses are the workflow's.
    m_settings->setTabVisible(0,
                              core::SettingsRecord::instance().integer(QStringLiteral("PAR:WFEnable")) == 0);
    // A new program's entries would be left behind by Cancel: they are added once it is saved.
    for (int tab = 1; tab < m_tabs->count(); ++tab)
        m_tabs->setTabEnabled(tab, request != Request::Insert);
    return true;
}

void UpdatePrograms::fillProgramStatuses()
{
    QStringList statuses;
    if (auto failed = core::readKeyOrder(
            session(), QStringLiteral("Status"), QStringLiteral("STA:KeyPrgIDSortStatus"), {ProgramStatuses},
            [&](const data::Record &r) { statuses << r.text(QStringLiteral("STA:STATUS")); }))
        Messages::show(failed->message, QStringLiteral("Tarvo"), MessageIcon::Exclamation);
    m_status->clear();
    m_status->addItems(statuses);
}

void UpdatePrograms::callForm(int number, int request)
{
    listext::ui::BrowseList *browse = list(number);
    if (m_formRunning || !browse || isViewOnly())
        return;
    // A double click changes the row only where the Change button may.
    if (QPushButton *button = browse->button(request);
        !button || !button->isEnabled() || isDenied(button->objectName()))
        return;
    if (number <= ClassificationList) {
        // The entry's form changes or deletes the selected entry and puts a new one after it.
        const QString label = referenceLabel(number);
        m_referenceEntry = selectedRow(number, label);
        const bool selected = m_referenceEntry.rowId() > 0;
        if (!selected && request != Request::Insert)
            return;
        // The entry's form deletes at once: the user confirms first, as for any list's record.
        if (request == Request::Delete &&
            session().file(label)->report(MessageConfirmDelete, makeError(0, QString())) != Button::Yes)
            return;
        m_referenceAfter = selected ? m_referenceEntry.integer(QStringLiteral("SORT")) : 0;
        const int row = browse->currentRow();
        m_formRunning = true;
        run(number, request, [this, browse, request, row, guard = QPointer<QObject>(this)](int response) {
            if (!guard)
                return;
            m_formRunning = false;
            (void)browse->refresh();
            // A new entry follows the selected one, or heads the list.
            if (request == Request::Insert && response == Response::Completed)
                browse->goToRow(row + 1);
        });
        return;
    }
    // The file of the list's form and where a new record names its program.
    const std::pair<const char *, const char *> files[] = {{"Releases", "REL:PRGID"},
                                                           {"Programfiles", "PFIL:PRGID"},
                                                           {"Notes", "NOTE:PRGID"},
                                                           {"Attachments", "ATT:PRGID"},
                                                           {"CustomerPrograms", "CUP:PRGID"}};
    const auto &[label, ownerField] = files[number == ReleaseList       ? 0
                                            : number == ProgramFileList ? 1
                                            : number == NoteList        ? 2
                                            : number == CustomerList    ? 4
                                                                        : 3];
    data::FileManager *file = session().file(QLatin1String(label));
    data::Record &buffer = file->buffer();
    buffer = file->newRecord();
    if (request == Request::Insert) {
        buffer.setValue(QLatin1String(ownerField), record().integer(QStringLiteral("PRG:ID")));
    } else {
        const qint64 row = browse->currentKey();
        if (row <= 0 || !file->fetchRow(row, buffer))
            return;
    }
    if (number == CustomerList) {
        // The purchase's form edits the purchase of the customer in the customer buffer.
        data::FileManager &customers = *session().file(QStringLiteral("Customer"));
        customers.buffer() = customerOf(buffer.integer(QStringLiteral("CUP:ID")));
        if (!customers.buffer().isValid())
            customers.buffer() = customers.newRecord();
    }
    m_formRunning = true;
    run(number, request, [this, browse, guard = QPointer<QObject>(this)](int) {
        if (!guard)
            return;
        m_formRunning = false;
        m_customers.clear();
        (void)browse->refresh();
    });
}

void UpdatePrograms::runProcedure(int procedureNumber, std::function<void()> finished)
{
    if (procedureNumber >= StatusList && procedureNumber <= ClassificationList) {
        const ReferenceKind kind = procedureNumber == StatusList     ? ReferenceKind::Status
                                   : procedureNumber == SeverityList ? ReferenceKind::Severity
                                                                     : ReferenceKind::Classification;
        openReferenceForm(context(), session(), kind, qint32(record().integer(QStringLiteral("PRG:ID"))),
                          context().threadRequest(), m_referenceEntry, m_referenceAfter, window(),
                          [finished = std::move(finished)](int) { finished(); });
        return;
    }
    tarvo::ui::UpdateForm *form = nullptr;
    if (procedureNumber == ReleaseList)
        form = new UpdateProgramRelease(context(), session());
    else if (procedureNumber == ProgramFileList)
        form = new UpdateProgramFiles(context(), session());
    else if (procedureNumber == CustomerList)
        form = new UpdateCustomerPrograms(context(), session());
    if (procedureNumber == NoteList || procedureNumber == AttachmentList) {
        // The note and attachment forms are the issue tracking's.
        core::IssueServices &issues = *core::Services::issues();
        auto closed = [finished = std::move(finished)](int) { finished(); };
        if (procedureNumber == NoteList)
            issues.updateNotes(context().number(), std::move(closed));
        else
            issues.updateAttachments(context().number(), std::move(closed));
        return;
    }
    if (!form) {
        UpdateForm::runProcedure(procedureNumber, std::move(finished));
        return;
    }
    form->openModal(window(), [finished = std::move(finished)](int) { finished(); });
}

void UpdatePrograms::moveEntry(const Move &move, int step)
{
    listext::ui::BrowseList *browse = list(move.list);
    data::FileManager *file = session().file(move.label);
    if (!browse || !file || isViewOnly())
        return;
    const qint64 row = browse->currentKey();
    data::Record entry = file->newRecord();
    if (row <= 0 || !file->fetchRow(row, entry))
        return;
    QApplication::setOverrideCursor(Qt::WaitCursor);
    const auto programId = static_cast<qint32>(record().integer(QStringLiteral("PRG:ID")));
    auto moved = SortedList(session(), move.order, programId).move(entry, step);
    QApplication::restoreOverrideCursor();
    if (!moved)
        Messages::show(moved.error().message, QStringLiteral("Tarvo"), MessageIcon::Exclamation);
    else if (!*moved)
        Messages::beep(MessageIcon::Exclamation);
    (void)browse->refresh(row);
}

void UpdatePrograms::takeAccepted(const QString &controlName)
{
    if (controlName.compare(QStringLiteral("IL"), Qt::CaseInsensitive) != 0) {
        UpdateForm::takeAccepted(controlName);
        return;
    }
    if (!takeControls())
        return;
    const QString homepage = record().text(QStringLiteral("PRG:Homepage")).trimmed();
    if (homepage.isEmpty()) {
        Messages::beep(MessageIcon::Exclamation);
        Messages::show(Translator::instance().translate(QStringLiteral("No address specified!")),
                       QStringLiteral("Error"), MessageIcon::Exclamation);
        return;
    }
    core::ShellOpen(0, homepage);
}

} // namespace tarvo::masterdata::ui
