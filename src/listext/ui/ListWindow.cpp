#include "listext/ui/ListWindow.h"

#include "core/frame/SyncToolbarStates.h"
#include "core/services/MailServices.h"
#include "core/services/Services.h"
#include "platform/runtime/ContextRegistry.h"
#include "platform/runtime/DayDate.h"
#include "platform/runtime/Messages.h"

#include <QPushButton>
#include <QTabBar>
#include <QTableView>
#include <QVBoxLayout>
#include <QWidget>

namespace tarvo::listext::ui {

namespace {

const QString TabKey = QStringLiteral("Tab");

// The navigation buttons of the toolbars, which move in the current list.
bool isNavigation(int number)
{
    return number >= 3005 && number <= 3010;
}

} // namespace

ListWindow::ListWindow(Context &context, QString procedureName, QObject *parent)
    : WindowManager(context, std::move(procedureName), parent)
{
}

ListWindow::~ListWindow() = default;

BrowseList &ListWindow::addList(ListDeclaration declaration, RowSource &source)
{
    const QString suffix = m_lists.empty() ? QString() : QStringLiteral(":%1").arg(m_lists.size() + 1);
    auto list = std::make_unique<BrowseList>(std::move(declaration), source, suffix, this);
    BrowseList *raw = list.get();
    connect(raw, &BrowseList::stateChanged, this, &ListWindow::updateButtons);
    connect(raw, &BrowseList::rowActivated, this, [this, raw]() {
        m_current = raw;
        callForm(*raw, Request::Change);
    });
    // The list the user works in is the one the toolbars act on.
    connect(raw->view(), &QTableView::pressed, this, [this, raw]() {
        m_current = raw;
        updateButtons();
    });
    for (int request : {Request::Insert, Request::Change, Request::Delete})
        if (QPushButton *b = raw->button(request))
            acceptOn(b);
    m_lists.push_back(std::move(list));
    if (!m_current)
        m_current = raw;
    return *raw;
}

BrowseList &ListWindow::addList(ListDeclaration declaration, std::unique_ptr<RowSource> source)
{
    m_sources.push_back(std::move(source));
    return addList(std::move(declaration), *m_sources.back());
}

BrowseList &ListWindow::currentList() const
{
    return m_current ? *m_current : list(0);
}

void ListWindow::setSortOrders(std::vector<SortOrder> orders)
{
    m_orders = std::move(orders);
}

QTabBar *ListWindow::sortTabs(QWidget *parent)
{
    if (!m_tabs && !m_orders.empty()) {
        m_tabs = new QTabBar(parent);
        m_tabs->setObjectName(QStringLiteral("SortTabs"));
        for (const SortOrder &o : m_orders)
            m_tabs->addTab(o.caption);
    }
    return m_tabs;
}

QWidget *ListWindow::build()
{
    auto *window = new QWidget;
    window->setObjectName(procedureName());
    auto *layout = new QVBoxLayout(window);
    if (QTabBar *tabs = sortTabs(window))
        layout->addWidget(tabs);
    for (const auto &l : m_lists)
        layout->addWidget(l->panel(), 1);
    return window;
}

bool ListWindow::open()
{
    if (isOpen())
        return true;
    if (!window())
        setWindow(build());
    if (!WindowManager::open())
        return false;
    for (const auto &l : m_lists)
        if (m_userIni)
            l->bindLayout(*m_userIni, procedureName());
    int tab = 0;
    if (m_tabs) {
        if (m_userIni)
            tab = std::clamp(m_userIni->value(procedureName(), TabKey, QStringLiteral("0")).toInt(), 0,
                             m_tabs->count() - 1);
        m_tabs->setCurrentIndex(tab);
        connect(m_tabs, &QTabBar::currentChanged, this, &ListWindow::chooseTab);
    }
    m_readDate = qint32(DayDate::today());
    m_readTime = qint32(DayDate::clock());
    if (!m_orders.empty() && !m_orders[size_t(tab)].keys.empty()) {
        chooseTab(tab);
    } else {
        for (const auto &l : m_lists)
            (void)l->reload();
    }
    updateButtons();
    return true;
}

bool ListWindow::close()
{
    if (!isOpen())
        return false;
    for (const auto &l : m_lists)
        if (auto r = l->saveLayout(); !r)
            Messages::show(r.error().message, procedureName());
    if (m_tabs && m_userIni)
        (void)m_userIni->setValue(procedureName(), TabKey, QString::number(m_tabs->currentIndex()));
    // The toolbars' record buttons had this window to act on; now they have none.
    const bool active = frame() && frame()->isActiveWindow();
    if (!WindowManager::close())
        return false;
    core::RecordButtonStates none;
    none.fill(true);
    Q_EMIT recordButtonsChanged(none);
    if (ContextRegistry *registry = context().registry(); registry && active)
        core::SyncToolbarStates(*registry, none);
    return true;
}

void ListWindow::chooseTab(int index)
{
    if (index < 0 || index >= int(m_orders.size()) || m_lists.empty())
        return;
    // The row the user was on stays current in the new order.
    BrowseList &first = list(0);
    const qint64 key = first.currentKey();
    if (auto r = first.source().setOrder(m_orders[size_t(index)].keys); !r) {
        Messages::show(r.error().message, procedureName());
        return;
    }
    if (key >= 0)
        (void)first.refresh(key);
    else
        (void)first.reload();
}

core::RecordButtonStates ListWindow::recordButtonStates() const
{
    if (m_lists.empty()) {
        core::RecordButtonStates disabled{};
        disabled.fill(true);
        return disabled;
    }
    return recordButtonStates(currentList());
}

core::RecordButtonStates ListWindow::recordButtonStates(const BrowseList &l) const
{
    core::RecordButtonStates disabled{};
    const bool rows = l.model().rowCount() > 0;
    const bool current = l.currentRow() >= 0;
    const bool updates = l.declaration().updateProcedure != 0 && request() != Request::View && !m_formRunning;
    for (size_t i = 0; i < core::RecordButtons.size(); ++i) {
        const int number = core::RecordButtons[i].number;
        if (number == 3001)
            disabled[i] = !updates || isRequestDenied(l, Request::Insert);
        else if (number == 3002)
            disabled[i] = !updates || !current || isRequestDenied(l, Request::Change);
        else if (number == 3003)
            disabled[i] = !updates || !current || isRequestDenied(l, Request::Delete);
        else
            disabled[i] = !rows;
    }
    return disabled;
}

void ListWindow::updateButtons()
{
    // Each list's own buttons follow that list; the toolbars follow the current one.
    for (const auto &l : m_lists) {
        const core::RecordButtonStates own = recordButtonStates(*l);
        for (const auto &[request, number] :
             {std::pair{Request::Insert, 3001}, std::pair{Request::Change, 3002},
              std::pair{Request::Delete, 3003}})
            if (QPushButton *b = l->button(request))
                b->setEnabled(!own[size_t(core::recordButtonIndex(number))]);
    }
    const core::RecordButtonStates disabled = recordButtonStates();
    if (m_lastStates == disabled)
        return;
    m_lastStates = disabled;
    Q_EMIT recordButtonsChanged(disabled);
    if (ContextRegistry *registry = context().registry(); registry && frame() && frame()->isActiveWindow())
        core::SyncToolbarStates(*registry, disabled);
}

bool ListWindow::takeEvent(int event, const QVariant &data)
{
    if (event == Events::Refresh) {
        if (needsRefresh(event))
            for (const auto &l : m_lists)
                (void)l->refresh();
        return true;
    }
    if (event == Events::GainFocus) {
        WindowManager::takeEvent(event, data);
        // The toolbars now act on this window.
        m_lastStates.reset();
        updateButtons();
        if (ContextRegistry *registry = context().registry(); registry && m_lastStates)
            core::SyncToolbarStates(*registry, *m_lastStates);
        return true;
    }
    if (event >= Events::ListExtensionFirst && event <= Events::ListExtensionLast && !m_lists.empty())
        return currentList().xplore().takeEvent(event);
    return WindowManager::takeEvent(event, data);
}

bool ListWindow::needsRefresh(int event)
{
    core::RefreshNotices *notices = core::Services::refreshNotices();
    if (!notices)
        return false;
    QString watched;
    for (const auto &l : m_lists)
        watched += l->declaration().watchedFiles;
    return !watched.isEmpty() && notices->needsRefresh(event, m_readDate, m_readTime, watched);
}

void ListWindow::takeAccepted(const QString &controlName)
{
    if (m_lists.empty())
        return;
    if (const int index = core::recordButtonIndex(controlName); index >= 0) {
        const int number = core::RecordButtons[size_t(index)].number;
        if (recordButtonStates()[size_t(index)])
            return;
        if (isNavigation(number))
            currentList().step(number);
        else
            callForm(currentList(), number == 3001   ? Request::Insert
                                    : number == 3002 ? Request::Change
                                                     : Request::Delete);
        return;
    }
    for (const auto &l : m_lists)
        if (const int request = l->requestOf(controlName); request != 0) {
            m_current = l.get();
            callForm(*l, request);
            return;
        }
}

bool ListWindow::isRequestDenied(const BrowseList &list, int request) const
{
    const QPushButton *button = list.button(request);
    return button && isDenied(button->objectName());
}

void ListWindow::callForm(BrowseList &list, int request)
{
    // The toolbars, the menu and a double-click all end here: a denied button's request stays denied.
    if (m_formRunning || list.declaration().updateProcedure == 0 || isRequestDenied(list, request))
        return;
    if (request != Request::Insert && list.currentRow() < 0)
        return;
    m_formRunning = true;
    m_followKey.reset();
    updateButtons();
    run(list.declaration().updateProcedure, request, [this, &list, request](int response) {
        m_formRunning = false;
        afterForm(list, request, response);
    });
}

void ListWindow::afterForm(BrowseList &list, int request, int response)
{
    // The list reads its rows again and goes to the row the form worked on: a new one when the
    // form tells it, else the current row at its place now, or the row that took its place.
    const std::optional<qint64> key = std::exchange(m_followKey, std::nullopt);
    (void)list.refresh(key);
    list.view()->setFocus();
    updateButtons();
    Q_EMIT formFinished(request, response);
}

void ListWindow::showError(const Error &error) const
{
    Messages::show(error.message, procedureName(), MessageIcon::Exclamation);
}

} // namespace tarvo::listext::ui
