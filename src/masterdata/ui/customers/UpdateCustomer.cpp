#include "masterdata/ui/customers/UpdateCustomer.h"

#include "core/frame/FrameGlobals.h"
#include "core/frame/FrameUserSettings.h"
#include "core/services/AccessServices.h"
#include "core/services/IssueServices.h"
#include "core/services/Services.h"
#include "core/startup/SettingsRecord.h"
#include "core/ui/PickDate.h"
#include "masterdata/customers/CustomerColumns.h"
#include "masterdata/customers/CustomerLinks.h"
#include "masterdata/ui/customers/CustomerForms.h"
#include "masterdata/ui/customers/UpdateCustomerContacts.h"
#include "platform/data/FileManager.h"
#include "platform/data/Session.h"
#include "platform/data/View.h"
#include "platform/runtime/Messages.h"
#include "platform/runtime/ProgramFolder.h"
#include "platform/runtime/Translator.h"

#include <QColor>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QPlainTextEdit>
#include <QRegularExpression>
#include <QTabBar>
#include <QTableView>
#include <QVBoxLayout>

#include <tuple>

namespace tarvo::masterdata::ui {

using listext::ui::BrowseList;
using listext::ui::ListDeclaration;

namespace {

QString translated(const char *text)
{
    return Translator::instance().translate(QString::fromLatin1(text));
}

// The called procedures of the form's lists.
constexpr int UpdateCustomerProgramsProcedure = 1;
constexpr int UpdateBugsProcedure = 2;
constexpr int UpdateCustomerContactsProcedure = 3;

data::FileManager &opened(data::Session &session, const char *label)
{
    data::FileManager &file = *session.file(QString::fromLatin1(label));
    (void)file.open();
    return file;
}

} // namespace

UpdateCustomer::UpdateCustomer(Context &context, data::Session &session, QObject *parent)
    : UpdateForm(context, QStringLiteral("UpdateCustomer"), session, QStringLiteral("Customer"), parent)
{
    m_contactRows = std::make_unique<listext::ViewRowSource>(opened(session, "CustomerContacts"),
                                                             QStringLiteral("CCO:KeyID"));
    m_programRows = std::make_unique<listext::ViewRowSource>(opened(session, "CustomerPrograms"),
                                                             QStringLiteral("CUP:KeyIDPrgIDPurchasedDate"));
    m_issueRows = std::make_unique<listext::ViewRowSource>(opened(session, "Bugs"),
                                                           QStringLiteral("BUG:KEYREPORTEDBYID"));
    m_contacts = std::make_unique<BrowseList>(ListDeclaration{QStringLiteral("?List:3"),
                                                              CustomerColumns::formContacts(),
                                                              0x0E1FFEF7,
                                                              UpdateCustomerContactsProcedure,
                                                              QStringLiteral("|CustomerContacts|"),
                                                              false,
                                                              50,
                                                              {}},
                                              *m_contactRows, QStringLiteral(":3"), this);
    m_programs = std::make_unique<BrowseList>(ListDeclaration{QStringLiteral("?List"),
                                                              CustomerColumns::purchases(),
                                                              0x0E1FFEF7,
                                                              UpdateCustomerProgramsProcedure,
                                                              QStringLiteral("|CustomerPrograms|"),
                                                              false,
                                                              50,
                                                              {}},
                                              *m_programRows, QString(), this);
    // The issues the customer reported can only be opened from here, not added or deleted.
    m_issues = std::make_unique<BrowseList>(ListDeclaration{QStringLiteral("?List:2"),
                                                            CustomerColumns::reportedIssues(),
                                                            0x0E1FFEF7,
                                                            UpdateBugsProcedure,
                                                            QStringLiteral("|Bugs|"),
                                                            false,
                                                            50,
                                                            {Request::Change}},
                                            *m_issueRows, QStringLiteral(":2"), this);
    if (QPushButton *b = m_issues->button(Request::Change))
        connect(b, &QPushButton::clicked, this, &UpdateCustomer::callIssue);
    connect(m_issues.get(), &BrowseList::rowActivated, this, &UpdateCustomer::callIssue);
    for (BrowseList *list : {m_contacts.get(), m_programs.get()}) {
        for (int request : {Request::Insert, Request::Change, Request::Delete})
            if (QPushButton *b = list->button(request))
                connect(b, &QPushButton::clicked, this,
                        [this, list, request]() { callList(*list, request); });
        connect(list, &BrowseList::rowActivated, this, [this, list]() { callList(*list, Request::Change); });
    }

    auto *window = new QWidget;
    window->setObjectName(procedureName());
    auto *layout = new QVBoxLayout(window);
    // Customers in the United Kingdom are addressed by county.
    m_pages = std::make_unique<PersonPages>(*this, QStringLiteral("CUS"),
                                            core::SettingsRecord::instance().values().language() ==
                                                QLatin1String("English (UK)"));
    layout->addWidget(buildHeader(window));
    m_sheet = new QTabWidget(window);
    m_sheet->setObjectName(QStringLiteral("SHEET1"));
    m_sheet->addTab(buildGeneral(), translated("General"));
    m_sheet->addTab(buildDetails(), translated("Details"));
    m_issues->panel()->setObjectName(QStringLiteral("T4"));
    m_sheet->addTab(m_issues->panel(), translated("Reported bugs, ..."));
    m_onlyMine = new QCheckBox(m_issues->panel());
    m_onlyMine->setObjectName(QStringLiteral("D"));
    m_onlyMine->hide();
    connect(m_onlyMine, &QCheckBox::toggled, this, [this]() {
        if (!isOpen())
            return;
        if (auto r = filterIssues(); !r)
            Messages::show(r.error().message, procedureName(), MessageIcon::Exclamation);
        (void)m_issues->refresh(std::nullopt);
    });
    m_sheet->addTab(m_pages->notes(), translated("Notes"));
    layout->addWidget(m_sheet, 1);
    auto *buttons = new QDialogButtonBox(window);
    QPushButton *ok = PersonPages::button(window, QStringLiteral("OK"), "&OK");
    QPushButton *cancel = PersonPages::button(window, QStringLiteral("Cancel"), "&Cancel");
    QPushButton *help = PersonPages::button(window, QStringLiteral("HELP"), "&Help");
    buttons->addButton(ok, QDialogButtonBox::AcceptRole);
    buttons->addButton(cancel, QDialogButtonBox::RejectRole);
    buttons->addButton(help, QDialogButtonBox::HelpRole);
    layout->addWidget(buttons);
    setWindow(window);
    setButtons(ok, cancel);
    setHelp(help, QStringLiteral("Adding Updating Customers.htm"));
    window->resize(900, 640);

    // A company has a name, not a last and a first name.
    connect(m_pages->salutation(), &QComboBox::currentTextChanged, this, [this](const QString &text) {
        const bool company = text == translated("Company");
        m_pages->lastnamePrompt()->setText(translated(company ? "Company:" : "Lastname:"));
        m_pages->firstnamePrompt()->setText(company ? QString() : translated("Firstname:"));
    });
    // A new customer is found by its last name until it is given a search name of its own.
    connect(m_pages->lastname(), &QLineEdit::editingFinished, this, [this]() {
        if (request() == Request::Insert && m_searchname->text().trimmed().isEmpty())
            m_searchname->setText(m_pages->lastname()->text());
    });
    connect(m_sheet, &QTabWidget::currentChanged, this, &UpdateCustomer::showTabColours);
    sendRefreshWhenClosed(*this, QStringLiteral("|Customer|CustomerPrograms|Bugs|CustomerContacts|"));
}

UpdateCustomer::~UpdateCustomer()
{
    // The lists' views go with the window before the lists.
    delete window();
}

QWidget *UpdateCustomer::buildHeader(QWidget *window)
{
    auto *header = new QWidget(window);
    auto *row = new QHBoxLayout(header);
    row->setContentsMargins(0, 0, 0, 0);
    row->addWidget(new QLabel(translated("Searchname:"), header));
    m_searchname = PersonPages::edit(header, QStringLiteral("CUS:SEARCHNAME"));
    row->addWidget(m_searchname, 2);
    field(QStringLiteral("CUS:Searchname"), m_searchname);
    row->addWidget(new QLabel(translated("Last Contact:"), header));
    QLineEdit *lastContact = PersonPages::edit(header, QStringLiteral("CUS:LASTCONTACT"));
    row->addWidget(lastContact);
    field(QStringLiteral("CUS:LastContact"), lastContact).picture(QStringLiteral("@D6"));
    QPushButton *calendar = PersonPages::button(header, QStringLiteral("CALLOOKUP"), "...");
    row->addWidget(calendar);
    connect(calendar, &QPushButton::clicked, this, [this, lastContact]() {
        if (!takeControls())
            return;
        core::ui::PickDate(qint32(record().integer(QStringLiteral("LastContact"))), this->window(),
                           lastContact, [this](qint32 picked) {
                               record().setValue(QStringLiteral("LastContact"), picked);
                               showRecord();
                           });
    });
    row->addWidget(new QLabel(translated("ID:"), header));
    auto *id = new QLabel(header);
    id->setObjectName(QStringLiteral("CUS:ID"));
    const qint32 colour = core::SettingsRecord::instance().values().colour();
    if (colour != -1)
        id->setStyleSheet(QStringLiteral("color: #%1%2%3")
                              .arg(colour & 0xFF, 2, 16, QLatin1Char('0'))
                              .arg((colour >> 8) & 0xFF, 2, 16, QLatin1Char('0'))
                              .arg((colour >> 16) & 0xFF, 2, 16, QLatin1Char('0')));
    row->addWidget(id);
    field(QStringLiteral("CUS:ID"), id);
    QPushButton *map = PersonPages::button(header, QStringLiteral("IL:5"), "Show &Map");
    row->addWidget(map);
    connect(map, &QPushButton::clicked, this, [this]() {
        if (takeControls())
            CustomerLinks::showAddressMap(AddressLinks::customerAddress(record()));
    });
    return header;
}

QWidget *UpdateCustomer::buildGeneral()
{
    QWidget *general = m_pages->general();
    auto *grid = static_cast<QGridLayout *>(general->layout());
    const int row = grid->rowCount();
    grid->addWidget(new QLabel(translated("Identifier:"), general), row, 0);
    QLineEdit *identifier = PersonPages::edit(general, QStringLiteral("CUS:IDENTIFIER"));
    grid->addWidget(identifier, row, 1, 1, 3);
    field(QStringLiteral("CUS:Identifier"), identifier);
    grid->addWidget(new QLabel(translated("Source:"), general), row + 1, 0);
    auto *source = new QComboBox(general);
    source->setObjectName(QStringLiteral("CUS:SOURCE"));
    source->setEditable(true);
    const QString sources =
        core::SettingsRecord::instance().text(QStringLiteral("CustomerSources")).left(512);
    source->addItems(sources.split(QRegularExpression(QStringLiteral("\r\n|\n|\r")), Qt::SkipEmptyParts));
    grid->addWidget(source, row + 1, 1, 1, 3);
    field(QStringLiteral("CUS:Source"), source);

    auto *inner = new QTabWidget(general);
    m_inner = inner;
    inner->setObjectName(QStringLiteral("SHEET2"));
    auto *contactsPage = new QWidget;
    contactsPage->setObjectName(QStringLiteral("TAB8"));
    auto *c = new QVBoxLayout(contactsPage);
    c->addWidget(m_contacts->panel(), 1);
    auto *links = new QHBoxLayout;
    struct Link {
        const char *name;
        const char *tip;
        const char *field;
    };
    for (const Link &l : {Link{"WAHL:3", "Call number", "CCO:Phone"}, Link{"IL:3", "Send EMail", "CCO:EMail"},
                          Link{"IL:4", "Surf the web", "CCO:Web"}}) {
        QPushButton *b = PersonPages::button(contactsPage, QLatin1String(l.name), l.tip);
        links->addWidget(b);
        connect(b, &QPushButton::clicked, this, [this, name = QString::fromLatin1(l.field)]() {
            const int row = m_contacts->currentRow();
            const QString value = row < 0 ? QString() : m_contacts->model().rawValue(row, name).toString();
            if (name.endsWith(QLatin1String("Phone")))
                CustomerLinks::dialPhone(value);
            else if (name.endsWith(QLatin1String("EMail")))
                CustomerLinks::sendMailTo(value);
            else
                CustomerLinks::openWebAddress(value);
        });
    }
    links->addStretch(1);
    c->addLayout(links);
    inner->addTab(contactsPage, translated("Contacts"));
    m_programs->panel()->setObjectName(QStringLiteral("TAB9"));
    inner->addTab(m_programs->panel(), translated("Programs"));
    grid->addWidget(inner, row + 2, 0, 1, 5);
    grid->setRowStretch(row + 2, 1);
    return general;
}

QWidget *UpdateCustomer::buildDetails()
{
    auto *page = new QWidget;
    page->setObjectName(QStringLiteral("T2"));
    auto *layout = new QVBoxLayout(page);
    auto *hardware = new QGroupBox(translated("Hardware"), page);
    auto *h = new QVBoxLayout(hardware);
    h->addWidget(m_pages->hardware());
    layout->addWidget(hardware, 1);
    auto *direction = new QGroupBox(translated("Direction"), page);
    auto *d = new QVBoxLayout(direction);
    auto *text = new QPlainTextEdit(direction);
    text->setObjectName(QStringLiteral("CUS:Direction"));
    d->addWidget(text);
    field(QStringLiteral("CUS:Direction"), text);
    layout->addWidget(direction, 1);
    return page;
}

bool UpdateCustomer::open()
{
    if (!UpdateForm::open())
        return false;
    if (!isOpen())
        return true;
    setFormCaption(*this, "Add Customer...", "Change Customer...");
    m_pages->applyNetwork();
    readProgramNames();
    core::AccessServices &access = *core::Services::access();
    const QString userIni = access.makOrdner().isEmpty() ? ProgramFolder::filePath(QStringLiteral("User.ini"))
                                                         : core::FrameUserSettings::userIniPath(access);
    if (auto r = core::IssueRowLook::read(m_look, userIni, 0, true, session(), access); !r)
        Messages::show(r.error().message, procedureName(), MessageIcon::Exclamation);
    {
        // The state is set before the lists are bound, which read it.
        const QSignalBlocker quiet(m_onlyMine);
        m_onlyMine->setChecked(access.getValue(QStringLiteral("BEN:UserByte1")).trimmed().toInt() != 0);
    }
    bindLists();
    showTabColours();
    return true;
}

bool UpdateCustomer::close()
{
    if (!isOpen())
        return UpdateForm::close();
    for (BrowseList *list : {m_contacts.get(), m_programs.get(), m_issues.get()})
        (void)list->saveLayout();
    return UpdateForm::close();
}

void UpdateCustomer::bindLists()
{
    const qint64 id = record().integer(QStringLiteral("ID"));
    const QString secP = core::FrameGlobals::instance().secP();
    const std::pair<listext::ViewRowSource *, QString> filters[] = {
        {m_contactRows.get(), QStringLiteral("CCO:ID = CusID")},
        {m_programRows.get(), QStringLiteral("CUP:ID = CusID")},
        {m_issueRows.get(), QString()}};
    for (const auto &[source, filter] : filters) {
        source->names().bind(QStringLiteral("CusID"), id);
        source->names().bind(QStringLiteral("SecP"), secP);
        source->names().bind(QStringLiteral("mak"), core::Services::access()->initials());
        if (auto r = filter.isEmpty() ? filterIssues() : source->setBaseFilter(filter); !r)
            Messages::show(r.error().message, procedureName(), MessageIcon::Exclamation);
    }
    m_issues->model().setRowDecorator([this](const listext::SourceRow &row) {
        listext::ui::RowLook look;
        const listext::ui::BrowseListModel &model = m_issues->model();
        const qint32 colour = m_look.colour(model.fieldValue(row, QStringLiteral("BUG:Status")).toString(),
                                            model.fieldValue(row, QStringLiteral("BUG:Priority")).toString());
        if (colour != -1)
            look.colors = {colour, 0xFFFFFF, 0xFFFFFF, colour};
        return look;
    });
    m_contacts->model().setRowDecorator([this](const listext::SourceRow &row) {
        listext::ui::RowLook look;
        const listext::ui::BrowseListModel &model = m_contacts->model();
        if (model.fieldValue(row, QStringLiteral("CCO:Status")).toString() == QLatin1String("disabled"))
            look.colors = {12615808, 0xFFFFFF, 0xFFFFFF, 12615808};
        look.bold = model.fieldValue(row, QStringLiteral("CCO:KEYCONTACT")).toInt() != 0;
        return look;
    });
    m_programs->model().setRowDecorator([this](const listext::SourceRow &row) {
        listext::ui::RowLook look;
        const auto it = m_programNames.find(
            m_programs->model().fieldValue(row, QStringLiteral("CUP:PrgID")).toLongLong());
        look.values[QStringLiteral("ProgramName")] =
            it == m_programNames.end() ? QStringLiteral("<unknown>") : it->second;
        return look;
    });
    for (BrowseList *list : {m_contacts.get(), m_programs.get(), m_issues.get()})
        (void)list->reload();
}

void UpdateCustomer::readProgramNames()
{
    m_programNames.clear();
    data::View view(opened(session(), "Programs"), QStringLiteral("PRG:KeyID"));
    std::optional<data::Record> last;
    for (;;) {
        auto page = view.rowsAfter(last ? &*last : nullptr, 500);
        if (!page || page->empty())
            break;
        for (const data::Record &program : *page)
            m_programNames[program.integer(QStringLiteral("ID"))] = program.text(QStringLiteral("PrgName"));
        last = page->back();
    }
}

void UpdateCustomer::showTabColours()
{
    const auto *text = m_pages->notes()->findChild<QPlainTextEdit *>();
    const bool hasNotes = text && !text->toPlainText().trimmed().isEmpty();
    m_sheet->tabBar()->setTabTextColor(m_sheet->indexOf(m_pages->notes()),
                                       hasNotes ? QColor(Qt::red) : QColor(Qt::black));
    const qint32 bgr = core::FrameGlobals::instance().tabColor();
    const QColor filled(bgr & 0xFF, (bgr >> 8) & 0xFF, (bgr >> 16) & 0xFF);
    const std::tuple<QTabWidget *, QWidget *, BrowseList *> lists[] = {
        {m_sheet, m_issues->panel(), m_issues.get()},
        {m_inner, m_contacts->panel()->parentWidget(), m_contacts.get()},
        {m_inner, m_programs->panel(), m_programs.get()}};
    for (const auto &[sheet, page, list] : lists)
        sheet->tabBar()->setTabTextColor(sheet->indexOf(page),
                                         list->model().rowCount() > 0 ? filled : QColor());
}

void UpdateCustomer::callList(BrowseList &list, int listRequest)
{
    // A form opened to view calls nothing that could change data.
    if (m_formRunning || request() == Request::View ||
        (listRequest != Request::Insert && list.currentRow() < 0))
        return;
    // The purchases and contacts belong to the customer as the form holds it now.
    if (!takeControls())
        return;
    m_formRunning = true;
    const qint64 key = list.currentKey();
    const CustomerForm form = list.declaration().updateProcedure == UpdateCustomerProgramsProcedure
                                  ? CustomerForm::Purchase
                                  : CustomerForm::Contact;
    context().setThreadRequest(listRequest);
    const QPointer<UpdateCustomer> self(this);
    startCustomerForm(form, context(), session(), window(), key, [self, &list](qint64 written) {
        if (!self)
            return;
        self->m_formRunning = false;
        (void)list.refresh(written > 0 ? std::optional<qint64>(written) : std::nullopt);
        self->showTabColours();
    });
}

Result<void> UpdateCustomer::filterIssues()
{
    QString filter = QStringLiteral("BUG:ReportedByID = CusID");
    // A user limited to some programs sees only their issues.
    if (!core::FrameGlobals::instance().secP().trimmed().isEmpty())
        filter += QStringLiteral(" AND (INSTRING('|' & BUG:PrgID & '|',SecP,1,1))");
    // The user's initials stand whole among the responsible persons: "AB" is not "ABC".
    if (m_onlyMine->isChecked())
        filter += QStringLiteral(" AND INSTRING('|' & UPPER(CLIP(mak)) & '|','|' & "
                                 "UPPER(CLIP(BUG:AllResponsiblePersons)) & '|',1,1)");
    return m_issueRows->setBaseFilter(filter);
}

void UpdateCustomer::callIssue()
{
    if (m_formRunning || request() == Request::View || m_issues->currentRow() < 0)
        return;
    data::FileManager *bugs = session().file(QStringLiteral("Bugs"));
    if (!bugs || !bugs->fetchRow(m_issues->currentKey(), bugs->buffer()))
        return;
    m_formRunning = true;
    context().setThreadRequest(Request::Change);
    const QPointer<UpdateCustomer> self(this);
    core::Services::issues()->updateBugs(context().number(), [self](int) {
        if (!self)
            return;
        self->m_formRunning = false;
        (void)self->m_issues->refresh(std::nullopt);
        self->showTabColours();
    });
}

} // namespace tarvo::masterdata::ui
