#include "listext/ui/RelationTreeView.h"

#include "platform/runtime/Events.h"

#include <QAbstractButton>
#include <QAction>
#include <QCoreApplication>
#include <QHeaderView>
#include <QKeyEvent>

namespace tarvo::listext::ui {

namespace {
const QChar Separator(0xB0);
}

RelationTreeView::RelationTreeView(RelationTree &tree, QTreeView *view, QObject *parent)
    : QObject(parent), m_tree(tree), m_view(view), m_popup(new QMenu(view))
{
    tree.attachView(view);
    view->setExpandsOnDoubleClick(false);
    view->setContextMenuPolicy(Qt::CustomContextMenu);
    view->installEventFilter(this);
    connect(view->selectionModel(), &QItemSelectionModel::currentChanged, this, [this]() { newSelection(); });
    connect(&tree, &QAbstractItemModel::modelReset, this, [this]() {
        // The selection model is the same after a reset; only the rights need updating.
        newSelection();
    });
    connect(view, &QTreeView::doubleClicked, this, [this](const QModelIndex &) { press(m_change); });
    connect(view, &QWidget::customContextMenuRequested, this, [this](const QPoint &pos) {
        const QModelIndex i = m_view->indexAt(pos);
        if (i.isValid())
            m_view->setCurrentIndex(i);
        setPopupState();
        if (m_viewOnly || m_popup->isEmpty())
            return;
        if (QAction *chosen = m_popup->exec(m_view->viewport()->mapToGlobal(pos)))
            takePopupAction(chosen->objectName());
    });
}

void RelationTreeView::setButtons(QAbstractButton *insert, QAbstractButton *change, QAbstractButton *remove,
                                  QAbstractButton *select, QAbstractButton *expandNode,
                                  QAbstractButton *contractNode, QAbstractButton *expandTree,
                                  QAbstractButton *contractTree)
{
    m_insert = insert;
    m_change = change;
    m_remove = remove;
    m_select = select;
    m_expandNode = expandNode;
    m_contractNode = contractNode;
    m_expandTree = expandTree;
    m_contractTree = contractTree;
    auto on = [this](QAbstractButton *b, std::function<void()> f) {
        if (b)
            connect(b, &QAbstractButton::clicked, this, std::move(f));
    };
    on(insert, [this]() { update(1); });
    on(change, [this]() { update(2); });
    on(remove, [this]() { update(3); });
    on(select, [this]() { this->select(); });
    on(expandNode, [this]() { m_tree.expandNode(m_view->currentIndex(), true); });
    on(contractNode, [this]() { m_tree.contractNode(m_view->currentIndex(), true); });
    on(expandTree, [this]() { m_tree.refresh(RelationTree::ExpandAll); });
    on(contractTree, [this]() { m_tree.refresh(RelationTree::ContractAll); });
    setPopupState();
}

QAction *RelationTreeView::addPopupItem(const QString &text, const QString &name)
{
    QAction *a = m_popup->addAction(text);
    a->setObjectName(name);
    // The item follows the rows' rights, so it is no control of the window whose rights key it
    // would be asked under ("Insert" of a tree is not the Insert of the window's list).
    a->setParent(this);
    return a;
}

QAction *RelationTreeView::popupItem(const QString &name) const
{
    if (auto *own = findChild<QAction *>(name, Qt::FindDirectChildrenOnly))
        return own;
    return m_popup ? m_popup->findChild<QAction *>(name) : nullptr;
}

void RelationTreeView::addRowControl(QAbstractButton *button, RowCheck allowed)
{
    m_rowControls.push_back({button, nullptr, std::move(allowed)});
    setPopupState();
}

void RelationTreeView::addRowControl(QAction *item, RowCheck allowed)
{
    m_rowControls.push_back({nullptr, item, std::move(allowed)});
    setPopupState();
}

bool RelationTreeView::canMove(const QModelIndex &row, int step) const
{
    if (!row.isValid())
        return false;
    const QModelIndex other = row.sibling(row.row() + step, 0);
    return other.isValid() && m_tree.sectionOf(other) == m_tree.sectionOf(row);
}

void RelationTreeView::press(QAbstractButton *button)
{
    if (button && button->isEnabled())
        button->click();
}

void RelationTreeView::newSelection()
{
    const QModelIndex current = m_view ? m_view->currentIndex() : QModelIndex();
    if (current.isValid())
        Q_EMIT rowFetched(m_tree.fetchRow(current));
    setPopupState();
}

void RelationTreeView::setPopupState()
{
    const QModelIndex current = m_view ? m_view->currentIndex() : QModelIndex();
    m_rights = current.isValid() ? m_tree.rights(current) : RelationTree::Rights{};
    const std::pair<const char *, bool> items[] = {{"Insert", m_rights.insert},
                                                   {"Change", m_rights.change},
                                                   {"Delete", m_rights.remove},
                                                   {"Select", m_rights.select}};
    for (const auto &[name, on] : items)
        if (QAction *a = popupItem(QLatin1String(name)))
            a->setEnabled(on);
    const std::pair<QAbstractButton *, bool> buttons[] = {{m_insert, m_rights.insert},
                                                          {m_change, m_rights.change},
                                                          {m_remove, m_rights.remove},
                                                          {m_select, m_rights.select}};
    for (const auto &[b, on] : buttons)
        if (b)
            b->setEnabled(on);
    for (const RowControl &c : m_rowControls) {
        const bool on = current.isValid() && c.allowed(current);
        if (c.button)
            c.button->setEnabled(on);
        if (c.item)
            c.item->setEnabled(on);
    }
    if (m_tree.option(RelationTree::OptionAcceptToolbar))
        Q_EMIT toolbarStateChanged(m_rights.insert, m_rights.change, m_rights.remove, m_rights.select);
}

int RelationTreeView::takeEvent(int event)
{
    switch (event) {
    case Events::TreeLoad:
        m_tree.refresh(RelationTree::Load);
        return 5;
    case Events::TreeReload:
        m_tree.refresh(RelationTree::Reload);
        return 5;
    case Events::Sized:
        m_view->doItemsLayout();
        return 5;
    default:
        return 0;
    }
}

void RelationTreeView::takePopupAction(const QString &name)
{
    const QModelIndex current = m_view->currentIndex();
    if (name == QStringLiteral("Insert"))
        press(m_insert);
    else if (name == QStringLiteral("Change"))
        press(m_change);
    else if (name == QStringLiteral("Delete"))
        press(m_remove);
    else if (name == QStringLiteral("Select"))
        press(m_select);
    else if (name == QStringLiteral("ExpandAll"))
        m_tree.refresh(RelationTree::ExpandAll);
    else if (name == QStringLiteral("ContractAll"))
        m_tree.refresh(RelationTree::ContractAll);
    else if (name == QStringLiteral("ExpandNode"))
        m_tree.expandNode(current, true);
    else if (name == QStringLiteral("ContractNode"))
        m_tree.contractNode(current, true);
    else if (name == QStringLiteral("RefreshNode"))
        m_tree.refreshNode(current);
    else if (name == QStringLiteral("RefreshTree"))
        m_tree.refresh(RelationTree::Reload);
}

void RelationTreeView::takeToolbarKey(int button)
{
    int key = 0;
    Qt::KeyboardModifiers modifiers = Qt::NoModifier;
    switch (button) {
    case 3001:
        press(m_insert);
        return;
    case 3002:
        press(m_change);
        return;
    case 3003:
        press(m_remove);
        return;
    case 3005:
        key = Qt::Key_End;
        modifiers = Qt::ControlModifier;
        break;
    case 3006:
        key = Qt::Key_Home;
        modifiers = Qt::ControlModifier;
        break;
    case 3007:
        key = Qt::Key_PageDown;
        break;
    case 3008:
        key = Qt::Key_PageUp;
        break;
    case 3009:
        key = Qt::Key_Down;
        break;
    case 3010:
        key = Qt::Key_Up;
        break;
    default:
        return;
    }
    QKeyEvent press(QEvent::KeyPress, key, modifiers);
    QCoreApplication::sendEvent(m_view, &press);
}

bool RelationTreeView::eventFilter(QObject *watched, QEvent *event)
{
    // Only a key press is looked at before the view is followed: the filter also sees the
    // events a view sends while it is destroyed.
    if (event->type() == QEvent::KeyPress && watched == m_view) {
        auto *key = static_cast<QKeyEvent *>(event);
        switch (key->key()) {
        case Qt::Key_Insert:
            press(m_insert);
            return true;
        case Qt::Key_Delete:
            press(m_remove);
            return true;
        case Qt::Key_Return:
        case Qt::Key_Enter:
            if (m_select && m_rights.select)
                press(m_select);
            else
                press(m_change);
            return true;
        default:
            if (m_tree.option(RelationTree::OptionDisableLocator) && key->modifiers() == Qt::NoModifier &&
                !key->text().isEmpty() && key->text().at(0).isLetterOrNumber())
                return true;
        }
    }
    return QObject::eventFilter(watched, event);
}

void RelationTreeView::update(int request)
{
    const QModelIndex current = m_view->currentIndex();
    if (!current.isValid() || !m_runner)
        return;
    RelationTreeSection *s = m_tree.section(m_tree.sectionOf(current));
    int updateNumber = s->updateNumber();
    QModelIndex parentRow = m_tree.parentRecordRow(current);
    if (request == 1) {
        const auto [target, parent] = m_tree.insertTarget(current);
        if (target == 0) {
            Q_EMIT rowFetched(m_tree.fetchRow(current));
            return;
        }
        parentRow = parent;
        m_tree.section(target)->primeInsert(parent.isValid() ? m_tree.fetchRow(parent) : TreePath{});
        updateNumber = m_tree.section(target)->updateNumber();
    } else if ((request == 2 && !s->allowChange) || (request == 3 && !s->allowDelete)) {
        return;
    }
    if (updateNumber == 0)
        return;
    const QString parentKey = m_tree.rowKey(parentRow);
    const bool topLevel = !parentRow.isValid();
    m_runner(updateNumber, request, [this, parentKey, topLevel](int response) {
        if (response != 1)
            return;
        if (m_tree.option(RelationTree::OptionRefreshAfterUpdate) || topLevel) {
            m_tree.refresh(RelationTree::Reload);
            return;
        }
        const QModelIndex parent = m_tree.findRow(parentKey);
        if (parent.isValid())
            m_tree.refreshNode(parent);
        else
            m_tree.refresh(RelationTree::Reload);
    });
}

void RelationTreeView::select()
{
    const QModelIndex current = m_view->currentIndex();
    if (!current.isValid())
        return;
    const TreePath path = m_tree.fetchRow(current);
    if (m_tree.option(RelationTree::OptionSelecting) &&
        m_tree.section(m_tree.sectionOf(current))->allowSelect)
        Q_EMIT selected(path);
}

Result<void> RelationTreeView::saveColumnWidths(IniFile &ini, const QString &section, int listNumber) const
{
    QStringList widths;
    for (int c = 0; c < m_tree.columnCount(); ++c)
        widths << QString::number(m_view->header()->isSectionHidden(c) ? 0 : m_view->columnWidth(c));
    return ini.setValue(section, QStringLiteral("Tree Column Width") + QString::number(listNumber),
                        widths.join(Separator));
}

void RelationTreeView::restoreColumnWidths(const IniFile &ini, const QString &section, int listNumber)
{
    const QString value =
        ini.value(section, QStringLiteral("Tree Column Width") + QString::number(listNumber));
    if (value.isEmpty())
        return;
    const QStringList widths = value.split(Separator);
    for (int c = 0; c < widths.size() && c < m_tree.columnCount(); ++c) {
        bool ok = false;
        const int w = widths.at(c).toInt(&ok);
        if (ok && w > 0 && !m_view->header()->isSectionHidden(c) && m_view->columnWidth(c) != 0)
            m_view->setColumnWidth(c, w);
    }
}

} // namespace tarvo::listext::ui
