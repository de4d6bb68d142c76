#include "issues/ui/VoidFilters.h"

#include "platform/runtime/Translator.h"

#include <QDialogButtonBox>
#include <QHeaderView>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QTabWidget>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace tarvo::issues::ui {

namespace {

QString translated(const char *text)
{
    return Translator::instance().translate(QString::fromLatin1(text));
}

VoidFilters::Asker &asker()
{
    static VoidFilters::Asker a;
    return a;
}

} // namespace

const QString VoidFilters::VoidAll = QStringLiteral("°VOID ALL°");

VoidFilters::VoidFilters(std::vector<ActiveFilter> &filters, QWidget *parent)
    : QDialog(parent), m_filters(filters)
{
    setObjectName(QStringLiteral("VoidFilters"));
    setWindowTitle(translated("Void Filters..."));
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(translated("The following filters are currently active."), this));
    auto *sheet = new QTabWidget(this);
    m_list = new QTreeWidget;
    m_list->setObjectName(QStringLiteral("?List"));
    m_list->setRootIsDecorated(false);
    m_list->setHeaderLabels({translated("Field"), QString(), translated("Value")});
    m_list->header()->resizeSection(0, 150);
    m_list->header()->resizeSection(1, 30);
    for (const ActiveFilter &f : m_filters) {
        auto *item = new QTreeWidgetItem(m_list, {f.field, f.op, f.value});
        item->setTextAlignment(1, Qt::AlignCenter);
    }
    if (m_list->topLevelItemCount() > 0)
        m_list->setCurrentItem(m_list->topLevelItem(0));
    sheet->addTab(m_list, translated("Filter"));
    layout->addWidget(sheet, 1);
    auto *buttons = new QDialogButtonBox(this);
    auto *all = buttons->addButton(translated("Void &All"), QDialogButtonBox::ActionRole);
    all->setObjectName(QStringLiteral("?VoidAll"));
    auto *one = buttons->addButton(translated("&Void"), QDialogButtonBox::ActionRole);
    one->setObjectName(QStringLiteral("?Void"));
    auto *close = buttons->addButton(translated("&Close"), QDialogButtonBox::RejectRole);
    close->setObjectName(QStringLiteral("?Close"));
    layout->addWidget(buttons);
    connect(all, &QPushButton::clicked, this, &VoidFilters::voidAll);
    connect(one, &QPushButton::clicked, this, &VoidFilters::voidSelected);
    connect(close, &QPushButton::clicked, this, &QDialog::reject);
    m_list->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(m_list, &QWidget::customContextMenuRequested, this, [this](const QPoint &pos) {
        QMenu menu;
        QAction *item = menu.addAction(translated("&Void"));
        if (menu.exec(m_list->viewport()->mapToGlobal(pos)) == item)
            voidSelected();
    });
    resize(420, 260);
}

void VoidFilters::voidAll()
{
    m_filters.clear();
    m_answer = VoidAll;
    accept();
}

void VoidFilters::voidSelected()
{
    const int row = m_list->currentItem() ? m_list->indexOfTopLevelItem(m_list->currentItem()) : -1;
    if (row < 0 || row >= int(m_filters.size()))
        return; // nothing chosen: the window stays open
    m_answer = m_filters.at(size_t(row)).field;
    m_filters.erase(m_filters.begin() + row);
    accept();
}

QString VoidFilters::ask(QWidget *parent, std::vector<ActiveFilter> &filters)
{
    if (asker())
        return asker()(parent, filters);
    VoidFilters window(filters, parent);
    window.exec();
    return window.answer();
}

void VoidFilters::setAsker(Asker a)
{
    asker() = std::move(a);
}

} // namespace tarvo::issues::ui
