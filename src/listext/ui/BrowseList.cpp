#include "listext/ui/BrowseList.h"

#include "core/frame/RecordButtons.h"
#include "platform/runtime/Context.h"
#include "platform/runtime/Messages.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QLineEdit>
#include <QPushButton>
#include <QTableView>
#include <QVBoxLayout>

#include <algorithm>

namespace tarvo::listext::ui {

namespace {

struct ButtonDeclaration {
    int request;
    const char *name;
    const char *text;
};

constexpr ButtonDeclaration Buttons[] = {
    {Request::Insert, "Insert", "&Insert"},
    {Request::Change, "Change", "&Change"},
    {Request::Delete, "Delete", "&Delete"},
};

} // namespace

BrowseList::BrowseList(ListDeclaration declaration, RowSource &source, const QString &buttonSuffix,
                       QObject *parent)
    : QObject(parent), m_declaration(std::move(declaration)), m_source(source), m_suffix(buttonSuffix)
{
    m_panel = new QWidget;
    auto *layout = new QVBoxLayout(m_panel);
    layout->setContentsMargins(0, 0, 0, 0);
    if (m_declaration.locator) {
        m_locator = new QLineEdit(m_panel);
        m_locator->setObjectName(QStringLiteral("Locator") + m_suffix);
        layout->addWidget(m_locator);
        connect(m_locator, &QLineEdit::textEdited, this, [this](const QString &text) { (void)locate(text); });
    }
    m_view = new QTableView(m_panel);
    m_view->setObjectName(
        m_declaration.control.mid(m_declaration.control.startsWith(QLatin1Char('?')) ? 1 : 0));
    layout->addWidget(m_view, 1);
    m_xplore =
        std::make_unique<XploreClass>(m_view, source, m_declaration.columns, m_declaration.featureMask);
    model().setPageSize(m_declaration.pageSize);
    m_xplore->buildPopup();
    connect(m_view, &QTableView::doubleClicked, this, &BrowseList::rowActivated);
    connect(&model(), &QAbstractItemModel::modelReset, this, &BrowseList::stateChanged);
    connect(m_view->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            &BrowseList::stateChanged);
    if (m_declaration.updateProcedure != 0) {
        auto *row = new QHBoxLayout;
        row->addStretch(1);
        for (const ButtonDeclaration &b : Buttons) {
            const std::vector<int> &only = m_declaration.requests;
            if (!only.empty() && std::find(only.begin(), only.end(), b.request) == only.end())
                continue;
            auto *button = new QPushButton(QString::fromLatin1(b.text), m_panel);
            button->setObjectName(QLatin1String(b.name) + m_suffix);
            row->addWidget(button);
            m_buttons.emplace_back(b.request, button);
        }
        layout->addLayout(row);
    }
}

BrowseList::~BrowseList() = default;

QPushButton *BrowseList::button(int request) const
{
    for (const auto &[r, button] : m_buttons)
        if (r == request)
            return button;
    return nullptr;
}

int BrowseList::requestOf(const QString &controlName) const
{
    for (const auto &[request, button] : m_buttons)
        if (controlName.compare(button->objectName(), Qt::CaseInsensitive) == 0)
            return request;
    return 0;
}

void BrowseList::bindLayout(const IniFile &userIni, const QString &procedureName)
{
    m_xplore->setLayoutStore(userIni, procedureName, m_declaration.control);
    m_xplore->restoreLayout();
    m_xplore->restoreSort();
}

Result<void> BrowseList::saveLayout()
{
    return m_xplore->saveLayout();
}

void BrowseList::showError(const Error &error) const
{
    Messages::show(error.message, m_view->window()->windowTitle());
}

int BrowseList::currentRow() const
{
    const QModelIndex current = m_view->currentIndex();
    return current.isValid() ? current.row() : -1;
}

qint64 BrowseList::currentKey() const
{
    const int row = currentRow();
    return row >= 0 ? model().rowKey(row) : -1;
}

void BrowseList::goToRow(int row)
{
    const int count = model().rowCount();
    if (count == 0)
        return;
    row = std::clamp(row, 0, count - 1);
    const int column = std::max(m_view->currentIndex().column(), 0);
    const QModelIndex index = model().index(row, std::min(column, std::max(model().columnCount() - 1, 0)));
    m_view->setCurrentIndex(index);
    m_view->scrollTo(index);
}

Result<void> BrowseList::reload()
{
    auto r = model().reload();
    if (!r) {
        showError(r.error());
        return r;
    }
    goToRow(0);
    return {};
}

Result<void> BrowseList::refresh(std::optional<qint64> key)
{
    // The row the user was on keeps its place on the screen when it is still in the list.
    const int row = currentRow();
    const int top = m_view->rowAt(0);
    const int offset = row >= 0 && top >= 0 && row >= top ? std::min(row - top, rowsPerPage() - 1) : 0;
    Result<int> at = key ? model().reloadAt(*key, nullptr) : model().refresh(row);
    if (!at) {
        showError(at.error());
        return at.error();
    }
    if (at.value() >= 0) {
        const int top = std::max(at.value() - offset, 0);
        m_view->scrollTo(model().index(top, 0), QAbstractItemView::PositionAtTop);
        goToRow(at.value());
    }
    Q_EMIT stateChanged();
    return {};
}

Result<void> BrowseList::locate(const QString &text)
{
    if (text.isEmpty())
        return {};
    auto row = model().locate({text});
    if (!row) {
        showError(row.error());
        return row.error();
    }
    if (row.value() >= 0) {
        m_view->scrollTo(model().index(row.value(), 0), QAbstractItemView::PositionAtTop);
        goToRow(row.value());
    }
    return {};
}

int BrowseList::rowsPerPage() const
{
    const int height = std::max(m_view->verticalHeader()->defaultSectionSize(), 1);
    return std::max(m_view->viewport()->height() / height, 1);
}

void BrowseList::step(int buttonNumber)
{
    const int row = currentRow();
    switch (buttonNumber) {
    case 3005: // last record
        goToRow(model().rowCount() - 1);
        break;
    case 3006: // first record
        goToRow(0);
        break;
    case 3007: // next page
        goToRow(row + rowsPerPage());
        break;
    case 3008: // prior page
        goToRow(row - rowsPerPage());
        break;
    case 3009: // next record
        goToRow(row + 1);
        break;
    case 3010: // prior record
        goToRow(row - 1);
        break;
    default:
        break;
    }
}

} // namespace tarvo::listext::ui
