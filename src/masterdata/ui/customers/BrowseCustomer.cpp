#include "masterdata/ui/customers/BrowseCustomer.h"

#include "core/services/ReportServices.h"
#include "core/services/Services.h"
#include "core/ui/frame/FrameMdi.h"
#include "masterdata/customers/CustomerColumns.h"
#include "masterdata/customers/CustomerLinks.h"
#include "masterdata/customers/CustomerTagQueue.h"
#include "masterdata/ui/customers/CustomerForms.h"
#include "masterdata/ui/customers/CustomerLook.h"
#include "platform/data/Dictionary.h"
#include "platform/data/FileManager.h"
#include "platform/data/Session.h"
#include "platform/runtime/DayDate.h"
#include "platform/runtime/Messages.h"
#include "platform/runtime/Translator.h"

#include <QApplication>
#include <QDrag>
#include <QDropEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMimeData>
#include <QMouseEvent>
#include <QPainter>
#include <QPixmap>
#include <QPushButton>
#include <QTabBar>
#include <QTableView>
#include <QVBoxLayout>

namespace tarvo::masterdata::ui {

using listext::ui::BrowseList;
using listext::ui::ListDeclaration;

namespace {

const QString Section = QStringLiteral("BrowseCustomer");
// A picker is placed and sized apart from the customer window, which it would otherwise move.
const QString PickerPositionSection = QStringLiteral("BrowseCustomerSelect");
const QString QueryKey = QStringLiteral("BROWSECUSTOMER");
// The drag identity of a contact.
const QString Contacts = QStringLiteral("application/x-tarvo-contacts");

QString translated(const char *text)
{
    return Translator::instance().translate(QString::fromLatin1(text));
}

data::FileManager &opened(data::Session &session, const char *label)
{
    data::FileManager &file = *session.file(QString::fromLatin1(label));
    (void)file.open();
    return file;
}

std::function<QString(QWidget *, bool)> &pathAsker()
{
    static std::function<QString(QWidget *, bool)> asker;
    return asker;
}

} // namespace

BrowseCustomer::BrowseCustomer(Context &context, data::Session &session, BrowseCustomerUser user,
                               QObject *parent)
    : ListWindow(context, Section, parent), m_session(session), m_user(std::move(user)),
      m_userIni(m_user.userIniPath), m_tasks(session), m_picker(context.threadRequest() == Request::Select)
{
    m_customers = std::make_unique<listext::ViewRowSource>(opened(session, "Customer"),
                                                           QStringLiteral("CUS:KeySearchname"));
    m_contacts = std::make_unique<listext::ViewRowSource>(opened(session, "CustomerContacts"),
                                                          QStringLiteral("CCO:KeyID"));
    (void)opened(session, "CustomerPrograms");
    ListDeclaration customers;
    customers.control = QStringLiteral("?Browse:1");
    customers.columns = CustomerColumns::customers();
    customers.updateProcedure = UpdateCustomerProcedure;
    customers.watchedFiles = QStringLiteral("|Customer|CustomerContacts|");
    addList(std::move(customers), *m_customers);
    listext::ui::TagToolsDeclaration tools;
    tools.tags = &CustomerTagQueue::global();
    tools.source = m_customers.get();
    tools.idField = QStringLiteral("CUS:ID");
    tools.dataFolder = session.dictionary().dataFolder();
    tools.queryKey = QueryKey;
    tools.title = translated("Customers");
    // The query mark: a blank, the middle dot, a blank, "Query:" and a blank.
    tools.queryMark = QStringLiteral(" \u00B7 ") + translated("Query:") + QLatin1Char(' ');
    tools.exportName = QStringLiteral("Customer.csv");
    tools.importCaption = procedureName();
    tools.tagMovesOn = true;
    tools.askPath = [](QWidget *parent, bool save) -> std::optional<QString> {
        if (!pathAsker())
            return std::nullopt;
        return pathAsker()(parent, save);
    };
    tools.applyFilter = [this] { return applyCustomerFilter(); };
    tools.reload = [this] { reloadCustomers(); };
    tools.search = [this](const data::View &view, const QString &text, bool ignoreCase,
                          const query::TextSearch::Progress &progress) {
        return m_tasks.search(view, text, ignoreCase, progress);
    };
    tools.writeCsv = [this](const std::vector<qint64> &ids, QIODevice &out) {
        return m_tasks.exportCustomers(ids, out);
    };
    tools.readCsv = [this](const QString &text) { return m_tasks.importCustomers(text); };
    m_tools = std::make_unique<listext::ui::TagTools>(*this, list(0), std::move(tools));
    ListDeclaration contacts;
    contacts.control = QStringLiteral("?List");
    contacts.columns = CustomerColumns::contacts();
    contacts.updateProcedure = UpdateContactsProcedure;
    contacts.watchedFiles = QStringLiteral("|CustomerContacts|");
    contacts.locator = false;
    addList(std::move(contacts), *m_contacts);
    setSortOrders(
        {{translated("Searchname"), {{QStringLiteral("CUS:Searchname")}}},
         {translated("Lastname"), {{QStringLiteral("CUS:Lastname")}, {QStringLiteral("CUS:Firstname")}}},
         {translated("Firstname"), {{QStringLiteral("CUS:Firstname")}, {QStringLiteral("CUS:Lastname")}}}});
    setUserIni(m_userIni);
    if (m_picker)
        setPositionSection(PickerPositionSection);

    setProcedure(UpdateCustomerProcedure, [this](std::function<void()> finished) {
        startCustomerForm(CustomerForm::Customer, this->context(), m_session, frame(),
                          customerList().currentKey(), [this, finished](qint64 written) {
                              if (written > 0)
                                  followKey(written);
                              finished();
                              followCustomer();
                          });
    });
    setProcedure(UpdateContactsProcedure, [this](std::function<void()> finished) {
        // A contact belongs to the customer chosen above.
        data::FileManager &customers = *m_session.file(QStringLiteral("Customer"));
        customers.buffer() = customers.newRecord();
        if (const qint64 key = customerList().currentKey(); key > 0)
            (void)customers.fetchRow(key, customers.buffer());
        startCustomerForm(CustomerForm::Contact, this->context(), m_session, frame(),
                          contactList().currentKey(), [this, finished](qint64 written) {
                              if (written > 0)
                                  followKey(written);
                              finished();
                          });
    });
}

BrowseCustomer::~BrowseCustomer()
{
    for (QWidget *viewport : {m_customerViewport.data(), m_contactViewport.data()})
        if (viewport)
            viewport->removeEventFilter(this);
    delete window();
}

void BrowseCustomer::setPathAsker(std::function<QString(QWidget *parent, bool save)> asker)
{
    pathAsker() = std::move(asker);
}

QPushButton *BrowseCustomer::toolButton(QWidget *parent, const char *name, const char *caption,
                                        const char *tip)
{
    auto *button = new QPushButton(translated(caption), parent);
    button->setObjectName(QLatin1String(name));
    if (tip)
        button->setToolTip(translated(tip));
    acceptOn(button);
    return button;
}

QWidget *BrowseCustomer::buildCustomerPanel(QWidget *parent)
{
    auto *panel = new QWidget(parent);
    auto *layout = new QVBoxLayout(panel);
    layout->setContentsMargins(0, 0, 0, 0);
    if (QTabBar *tabs = sortTabs(panel)) {
        tabs->setObjectName(QStringLiteral("SHEET1"));
        layout->addWidget(tabs);
    }
    auto *tools = new QHBoxLayout;
    tools->addWidget(toolButton(panel, "?DASTAG", "*", "Tag / Untag record"));
    tools->addWidget(toolButton(panel, "?DASTAGALL", "**", "Tag all records"));
    tools->addWidget(toolButton(panel, "?DASUNTAGALL", "-", "Untag all records"));
    tools->addWidget(toolButton(panel, "?SEARCHBUTTON", "Search...", "Search records for text..."));
    tools->addWidget(toolButton(panel, "?QUERY", "Query..."));
    QPushButton *reset = toolButton(panel, "?RESET", "Void Query");
    reset->setEnabled(false);
    tools->addWidget(reset);
    tools->addWidget(toolButton(panel, "?EXPORTS", "Export..."));
    tools->addWidget(toolButton(panel, "?IMPORTS", "Import..."));
    tools->addWidget(toolButton(panel, "?AKTUALISIEREN", "Mass Update"));
    tools->addWidget(toolButton(panel, "?PRINT", "&Print"));
    tools->addWidget(toolButton(panel, "?HELP", "&Help"));
    tools->addStretch(1);
    layout->addLayout(tools);
    // The switch and the count go on a row of their own, so that the window can be narrow.
    auto *switches = new QHBoxLayout;
    switches->addWidget(m_tools->makeOnlyTagged(panel));
    switches->addWidget(m_tools->makeTagCount(panel));
    switches->addStretch(1);
    layout->addLayout(switches);
    layout->addWidget(customerList().panel(), 1);
    auto *links = new QHBoxLayout;
    links->addWidget(toolButton(panel, "?WAHL", "Call", "Call number"));
    links->addWidget(toolButton(panel, "?INTERNETLINK", "E-Mail", "Send EMail"));
    links->addWidget(toolButton(panel, "?INTERNETLINK:2", "Web", "Surf the web"));
    if (m_picker)
        links->addWidget(toolButton(panel, "?SELECT", "&Select"));
    links->addStretch(1);
    layout->addLayout(links);
    return panel;
}

QWidget *BrowseCustomer::buildContactPanel(QWidget *parent)
{
    auto *panel = new QWidget(parent);
    auto *layout = new QVBoxLayout(panel);
    layout->setContentsMargins(0, 0, 0, 0);
    auto *caption = new QLabel(translated("Contacts"), panel);
    caption->setObjectName(QStringLiteral("?CONTACTS"));
    layout->addWidget(caption);
    layout->addWidget(contactList().panel(), 1);
    auto *links = new QHBoxLayout;
    links->addWidget(toolButton(panel, "?WAHL:2", "Call", "Call number"));
    links->addWidget(toolButton(panel, "?IL", "E-Mail", "Send EMail"));
    links->addWidget(toolButton(panel, "?IL:2", "Web", "Surf the web"));
    if (m_picker)
        links->addWidget(toolButton(panel, "?SELECT:2", "&Select"));
    links->addStretch(1);
    layout->addLayout(links);
    return panel;
}

QWidget *BrowseCustomer::buildWindow()
{
    auto *content = new QWidget;
    content->setObjectName(procedureName());
    content->setWindowTitle(translated("Customers"));
    auto *layout = new QVBoxLayout(content);
    m_hsplit = new QSplitter(Qt::Vertical, content);
    m_hsplit->setObjectName(QStringLiteral("?HSPLIT"));
    m_hsplit->addWidget(buildCustomerPanel(m_hsplit));
    m_hsplit->addWidget(buildContactPanel(m_hsplit));
    m_hsplit->setStretchFactor(0, 3);
    m_hsplit->setStretchFactor(1, 2);
    layout->addWidget(m_hsplit);
    content->setMinimumHeight(150);
    connect(m_hsplit, &QSplitter::splitterMoved, this, &BrowseCustomer::saveBar);
    // Contacts are dragged from their list onto a customer.
    m_contactViewport = contactList().view()->viewport();
    m_contactViewport->installEventFilter(this);
    m_customerViewport = customerList().view()->viewport();
    m_customerViewport->setAcceptDrops(true);
    m_customerViewport->installEventFilter(this);
    if (m_picker)
        return content;
    return core::ui::FrameMdi::addWindow(content, context());
}

bool BrowseCustomer::open()
{
    if (isOpen())
        return true;
    if (!window()) {
        setWindow(buildWindow());
        setHelp(window()->findChild<QPushButton *>(QStringLiteral("?HELP")),
                QStringLiteral("Maintaining Customer Information.htm"));
    }
    CustomerTagQueue::global().clear();
    if (m_picker) {
        auto others = m_tasks.customersOfOtherPrograms(m_user.prgId);
        if (!others)
            showError(others.error());
        else
            m_otherPrograms = *others;
    }
    customerList().model().setRowDecorator([this](const listext::SourceRow &row) {
        const listext::ui::BrowseListModel &model = customerList().model();
        listext::ui::RowLook look =
            disabledLook(model.fieldValue(row, QStringLiteral("CUS:Status")).toString());
        const bool tagged =
            CustomerTagQueue::global().contains(model.fieldValue(row, QStringLiteral("CUS:ID")).toLongLong());
        look.values[QStringLiteral("TagField")] = tagged ? QStringLiteral("*") : QString();
        if (tagged)
            look.icons[QStringLiteral("TagField")] = tagIcon();
        return look;
    });
    contactList().model().setRowDecorator([this](const listext::SourceRow &row) {
        const listext::ui::BrowseListModel &model = contactList().model();
        listext::ui::RowLook look =
            disabledLook(model.fieldValue(row, QStringLiteral("CCO:Status")).toString());
        look.bold = model.fieldValue(row, QStringLiteral("CCO:KEYCONTACT")).toInt() != 0;
        return look;
    });
    m_contacts->names().bind(QStringLiteral("CusID"), qint64(-1));
    if (auto r = m_contacts->setBaseFilter(QStringLiteral("CCO:ID = CusID")); !r)
        showError(r.error());
    if (auto r = applyCustomerFilter(); !r)
        showError(r.error());
    m_tools->tagsChanged();
    if (!ListWindow::open())
        return false;
    const int bar = m_userIni.value(Section, QStringLiteral("HSplit Pos"), QString()).toInt();
    if (bar > 0)
        m_hsplit->setSizes({bar, std::max(m_hsplit->height() - bar, 1)});
    m_tools->watchOnlyTagged();
    connect(customerList().view()->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            &BrowseCustomer::followCustomer);
    connect(&customerList(), &BrowseList::stateChanged, this, &BrowseCustomer::followCustomer);
    // A click on the mark column tags the row without moving on.
    connect(customerList().view(), &QTableView::clicked, this, [this](const QModelIndex &index) {
        if (customerList()
                .model()
                .headerData(index.column(), Qt::Horizontal, Qt::DisplayRole)
                .toString()
                .isEmpty() &&
            index.column() == 0)
            tagCurrent(false);
    });
    followCustomer();
    m_tools->showTitle();
    if (auto *child = qobject_cast<QMdiSubWindow *>(frame()))
        child->resize(1000, 640);
    return true;
}

bool BrowseCustomer::close()
{
    if (!isOpen())
        return false;
    if (!ListWindow::close())
        return false;
    CustomerTagQueue::global().clear();
    return true;
}

void BrowseCustomer::saveBar()
{
    if (m_hsplit && !m_hsplit->sizes().isEmpty())
        (void)m_userIni.setValue(Section, QStringLiteral("HSplit Pos"),
                                 QString::number(m_hsplit->sizes().front()));
}

Result<void> BrowseCustomer::applyCustomerFilter()
{
    QStringList parts;
    data::expr::NameTable &names = m_customers->names();
    if (m_picker) {
        names.bind(QStringLiteral("OtherPrograms"), m_otherPrograms);
        parts << QStringLiteral("NOT INSTRING('|' & CUS:ID & '|',OtherPrograms,1,1)");
    }
    parts << m_tools->filterParts();
    return m_customers->setBaseFilter(parts.join(QStringLiteral(" AND ")));
}

void BrowseCustomer::reloadCustomers()
{
    if (auto r = applyCustomerFilter(); !r) {
        showError(r.error());
        return;
    }
    const qint64 key = customerList().currentKey();
    (void)customerList().refresh(key >= 0 ? std::optional<qint64>(key) : std::nullopt);
    followCustomer();
}

void BrowseCustomer::followCustomer()
{
    const int row = customerList().currentRow();
    const qint64 id =
        row < 0 ? -1 : customerList().model().rawValue(row, QStringLiteral("CUS:ID")).toLongLong();
    if (m_contacts->names().value(QStringLiteral("CusID")).toLongLong() == id &&
        contactList().model().rowCount() > 0)
        return;
    m_contacts->names().bind(QStringLiteral("CusID"), id);
    if (auto r = m_contacts->setBaseFilter(QStringLiteral("CCO:ID = CusID")); !r) {
        showError(r.error());
        return;
    }
    (void)contactList().reload();
}

void BrowseCustomer::takeAccepted(const QString &controlName)
{
    const QString name = controlName.toUpper();
    if (m_tools->takeAccepted(name))
        return;
    if (name == QLatin1String("?AKTUALISIEREN"))
        massUpdate();
    else if (name == QLatin1String("?PRINT")) {
        // The reports print the customers as the list holds them.
        core::Services::reports()->browseReports(context().number(), core::ReportType::Customers,
                                                 &m_customers->view(), QString());
        reloadCustomers();
    } else if (name == QLatin1String("?SELECT"))
        pick(PickedCustomer);
    else if (name == QLatin1String("?SELECT:2"))
        pick(PickedContact);
    else if (name.startsWith(QLatin1String("?WAHL")) || name.startsWith(QLatin1String("?INTERNETLINK")) ||
             name.startsWith(QLatin1String("?IL")))
        linkOf(name);
    else
        ListWindow::takeAccepted(controlName);
}

void BrowseCustomer::linkOf(const QString &controlName)
{
    // The customer's buttons, and the contact's.
    const bool contact =
        controlName == QLatin1String("?WAHL:2") || controlName.startsWith(QLatin1String("?IL"));
    const BrowseList &l = contact ? contactList() : customerList();
    const QString prefix = contact ? QStringLiteral("CCO:") : QStringLiteral("CUS:");
    const int row = l.currentRow();
    const auto value = [&](const char *field) {
        return row < 0 ? QString() : l.model().rawValue(row, prefix + QLatin1String(field)).toString();
    };
    if (controlName.startsWith(QLatin1String("?WAHL")))
        CustomerLinks::dialPhone(value("Phone"));
    else if (controlName == QLatin1String("?INTERNETLINK") || controlName == QLatin1String("?IL"))
        CustomerLinks::sendMailTo(value("EMail"));
    else
        CustomerLinks::openWebAddress(value("Web"));
}

void BrowseCustomer::pick(int source)
{
    BrowseList &l = source == PickedCustomer ? customerList() : contactList();
    if (!m_picker || l.currentRow() < 0)
        return;
    // The picked records stay in the thread's buffers for the caller.
    data::FileManager &customers = *m_session.file(QStringLiteral("Customer"));
    customers.buffer() = customers.newRecord();
    if (auto r = customers.fetchRow(customerList().currentKey(), customers.buffer()); !r)
        return showError(r.error());
    data::FileManager &contacts = *m_session.file(QStringLiteral("CustomerContacts"));
    contacts.buffer() = contacts.newRecord();
    if (source == PickedContact)
        if (auto r = contacts.fetchRow(contactList().currentKey(), contacts.buffer()); !r)
            return showError(r.error());
    m_picked = source;
    setResponse(Response::Completed);
    close();
}

void BrowseCustomer::massUpdate()
{
    query::MassUpdate update(m_tasks.updatable(), CustomerTasks::updateChoices());
    m_tools->massUpdate(update, [this](const std::vector<qint64> &ids, const query::MassUpdate &values) {
        auto changed = m_tasks.massUpdate(ids, values, m_user.mak);
        return changed ? Result<void>() : Result<void>(changed.error());
    });
}

Result<qint64> BrowseCustomer::dropContact(qint64 contactId, int customerRow, bool copy)
{
    if (customerRow < 0)
        return qint64(0);
    customerList().goToRow(customerRow);
    const qint64 customer =
        customerList().model().rawValue(customerRow, QStringLiteral("CUS:ID")).toLongLong();
    auto dropped = m_tasks.dropContact(contactId, customer, copy, m_user.mak);
    followCustomer();
    (void)contactList().reload();
    return dropped;
}

void BrowseCustomer::startContactDrag()
{
    const int row = contactList().currentRow();
    if (row < 0)
        return;
    auto *mime = new QMimeData;
    const qint64 cid = contactList().model().rawValue(row, QStringLiteral("CCO:CID")).toLongLong();
    mime->setData(Contacts, QByteArray::number(cid) + (m_dragButton == Qt::RightButton ? "/ask" : "/move"));
    auto *drag = new QDrag(contactList().view());
    drag->setMimeData(mime);
    drag->exec(Qt::MoveAction | Qt::CopyAction, Qt::MoveAction);
}

bool BrowseCustomer::takeDrop(QEvent *event)
{
    auto *drop = static_cast<QDropEvent *>(event);
    if (!drop->mimeData()->hasFormat(Contacts))
        return false;
    drop->acceptProposedAction();
    if (event->type() != QEvent::Drop)
        return true;
    const QList<QByteArray> parts = drop->mimeData()->data(Contacts).split('/');
    const int row = customerList().view()->rowAt(drop->position().toPoint().y());
    bool copy = false;
    if (parts.value(1) == "ask") {
        // A drag with the right button asks whether to copy or to move.
        QMenu menu;
        QAction *copyHere = menu.addAction(translated("Copy here"));
        QAction *moveHere = menu.addAction(translated("Move here"));
        menu.addSeparator();
        menu.addAction(translated("Cancel"));
        QAction *chosen =
            menu.exec(customerList().view()->viewport()->mapToGlobal(drop->position().toPoint()));
        if (chosen != copyHere && chosen != moveHere)
            return true;
        copy = chosen == copyHere;
    }
    if (auto r = dropContact(parts.value(0).toLongLong(), row, copy); !r)
        showError(r.error());
    return true;
}

bool BrowseCustomer::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_contactViewport.data()) {
        if (event->type() == QEvent::MouseButtonPress) {
            auto *mouse = static_cast<QMouseEvent *>(event);
            m_dragStart = mouse->position().toPoint();
            m_dragButton = mouse->button();
        } else if (event->type() == QEvent::MouseMove) {
            auto *mouse = static_cast<QMouseEvent *>(event);
            if ((mouse->buttons() & (Qt::LeftButton | Qt::RightButton)) &&
                (mouse->position().toPoint() - m_dragStart).manhattanLength() >=
                    QApplication::startDragDistance()) {
                startContactDrag();
                return true;
            }
        }
    } else if (watched == m_customerViewport.data()) {
        switch (event->type()) {
        case QEvent::DragEnter:
        case QEvent::DragMove:
        case QEvent::Drop:
            return takeDrop(event);
        default:
            break;
        }
    }
    return ListWindow::eventFilter(watched, event);
}

} // namespace tarvo::masterdata::ui
