#include "platform/ui/FormList.h"

#include "platform/runtime/Context.h"
#include "platform/runtime/Messages.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace tarvo::ui {

FormList::FormList(const QString &name, const QStringList &headers, Loader loader, QWidget *parent)
    : QWidget(parent), m_loader(std::move(loader))
{
    setObjectName(name);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    m_view = new QTreeWidget(this);
    m_view->setObjectName(name + QStringLiteral(":List"));
    m_view->setRootIsDecorated(false);
    m_view->setUniformRowHeights(true);
    m_view->setAlternatingRowColors(true);
    m_view->setHeaderLabels(headers);
    m_view->header()->setStretchLastSection(true);
    layout->addWidget(m_view, 1);
    m_buttons = new QHBoxLayout;
    m_buttons->addStretch(1);
    layout->addLayout(m_buttons);
    connect(m_view, &QTreeWidget::currentItemChanged, this, [this]() {
        if (m_current)
            m_current(currentKey());
    });
}

QPushButton *FormList::addButton(const QString &name, const QString &caption, int request)
{
    auto *button = new QPushButton(caption, this);
    button->setObjectName(name);
    m_buttons->addWidget(button);
    connect(button, &QPushButton::clicked, this, [this, request]() { press(request); });
    if (request == Request::Change)
        connect(m_view, &QTreeWidget::itemDoubleClicked, button, [button]() {
            if (button->isEnabled())
                button->click();
        });
    return button;
}

void FormList::press(int request)
{
    if (!m_request)
        return;
    if (request != Request::Insert) {
        const qint64 key = currentKey();
        if (key < 0)
            return;
        if (m_fetch) {
            if (auto fetched = m_fetch(key); !fetched) {
                Messages::show(fetched.error().message, window()->windowTitle());
                return;
            }
        }
    }
    m_request(request);
}

Result<void> FormList::reload()
{
    m_loaded = true;
    auto rows = m_loader ? m_loader() : Result<std::vector<Row>>(std::vector<Row>{});
    if (!rows)
        return rows.error();
    const qint64 kept = currentKey();
    m_view->clear();
    QList<QTreeWidgetItem *> items;
    QTreeWidgetItem *current = nullptr;
    for (const Row &row : *rows) {
        auto *item = new QTreeWidgetItem(row.cells);
        item->setData(0, Qt::UserRole, row.key);
        if (row.key == kept)
            current = item;
        items << item;
    }
    m_view->addTopLevelItems(items);
    if (!current && !items.isEmpty())
        current = items.first();
    if (current)
        m_view->setCurrentItem(current);
    for (int c = 0; c + 1 < m_view->columnCount(); ++c)
        m_view->resizeColumnToContents(c);
    Q_EMIT reloaded();
    return {};
}

int FormList::rowCount() const
{
    return m_view->topLevelItemCount();
}

QStringList FormList::cells(int row) const
{
    QStringList out;
    if (const QTreeWidgetItem *item = m_view->topLevelItem(row))
        for (int c = 0; c < item->columnCount(); ++c)
            out << item->text(c);
    return out;
}

qint64 FormList::currentKey() const
{
    const QTreeWidgetItem *item = m_view->currentItem();
    return item ? item->data(0, Qt::UserRole).toLongLong() : -1;
}

void FormList::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    // A list is read the first time its tab is shown, not while the form opens.
    if (!m_loaded) {
        if (auto loaded = reload(); !loaded)
            Messages::show(loaded.error().message, window()->windowTitle());
    }
}

} // namespace tarvo::ui
