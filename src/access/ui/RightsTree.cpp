#include "access/ui/RightsTree.h"

#include "access/AccessMessages.h"
#include "access/AccessSession.h"
#include "access/UserAccount.h"
#include "access/ui/ResUserCopy.h"

#include <QApplication>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QPushButton>
#include <QStyle>
#include <QTreeWidget>
#include <QVBoxLayout>

#include <algorithm>
#include <map>

namespace tarvo::access {

RightsTree::RightsTree(UserAccount &account, QWidget *parent)
    : QWidget(parent), m_account(account), m_tree(new QTreeWidget(this)),
      m_toggle(new QPushButton(QStringLiteral("Zugriff erlauben / entziehen"), this))
{
    setObjectName(QStringLiteral("RightsTab"));
    m_tree->setObjectName(QStringLiteral("RightsTree"));
    m_tree->setColumnCount(2);
    m_tree->setHeaderHidden(true);
    m_toggle->setObjectName(QStringLiteral("Toggle"));
    m_toggle->setEnabled(false);
    auto *all = new QPushButton(QStringLiteral("Jeden Zugriff erlauben"), this);
    all->setObjectName(QStringLiteral("GrantAll"));
    auto *none = new QPushButton(QStringLiteral("Jeden Zugriff entziehen"), this);
    none->setObjectName(QStringLiteral("DenyAll"));
    auto *copy = new QPushButton(QStringLiteral("Zugriffsrechte von anderem Benutzer übernehmen"), this);
    copy->setObjectName(QStringLiteral("CopyRights"));
    connect(m_toggle, &QPushButton::clicked, this, &RightsTree::toggle);
    connect(all, &QPushButton::clicked, this, &RightsTree::grantAll);
    connect(none, &QPushButton::clicked, this, &RightsTree::denyAll);
    connect(copy, &QPushButton::clicked, this, &RightsTree::copyFromUser);
    connect(m_tree, &QTreeWidget::currentItemChanged, this, &RightsTree::selectionChanged);
    connect(m_tree, &QTreeWidget::itemDoubleClicked, this, [this] {
        if (m_toggle->isEnabled())
            toggle();
    });
    m_chooser = [this] { return ResUserCopy::choose(this); };
    auto *buttons = new QHBoxLayout();
    for (auto *b : {m_toggle, all, none, copy})
        buttons->addWidget(b);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_tree);
    layout->addLayout(buttons);
}

QString RightsTree::groupName(const QString &type)
{
    static const std::map<QString, QString> names = {
        {QStringLiteral("BUTTON"), QStringLiteral("Schaltflächen")},
        {QStringLiteral("ITEM"), QStringLiteral("Menüeinträge")},
        {QStringLiteral("MENU"), QStringLiteral("Menüs")},
        {QStringLiteral("ENTRY"), QStringLiteral("Eingabefelder")},
        {QStringLiteral("CHECK"), QStringLiteral("Anwahl-Kästchen")},
        {QStringLiteral("RADIO"), QStringLiteral("Anwahl-Kästchen")},
        {QStringLiteral("GROUP"), QStringLiteral("Gruppen")},
        {QStringLiteral("TAB"), QStringLiteral("Karteikarten")},
        {QStringLiteral("PROMPT"), QStringLiteral("Eingabefeld-Beschriftungen")},
        {QStringLiteral("STRING"), QStringLiteral("Text-Darstellungen")},
        {QStringLiteral("RIGHTMOUSE"), QStringLiteral("Rechte Maustaste")}};
    const auto found = names.find(type.trimmed().toUpper());
    return found == names.end() ? QString() : found->second;
}

void RightsTree::markLine(QTreeWidgetItem *line, bool granted) const
{
    line->setIcon(
        0, style()->standardIcon(granted ? QStyle::SP_DialogApplyButton : QStyle::SP_MessageBoxCritical));
    line->setData(0, Qt::AccessibleDescriptionRole,
                  granted ? QStringLiteral("granted") : QStringLiteral("denied"));
}

void RightsTree::fill()
{
    QApplication::setOverrideCursor(Qt::WaitCursor);
    m_tree->clear();
    auto repository = AccessSession::repository();
    auto procs = repository->procs();
    auto resources = repository->resources();
    if (!procs || !resources) {
        QApplication::restoreOverrideCursor();
        AccessMessages::error(!procs ? procs.error().message : resources.error().message);
        return;
    }
    std::map<QString, std::vector<ResourceRecord>> byProc;
    for (const auto &r : *resources)
        byProc[r.proc.trimmed().toCaseFolded()].push_back(r);
    const QColor grey(0x80, 0x80, 0x80);
    for (const auto &proc : *procs) {
        auto *procLine = new QTreeWidgetItem(m_tree, {proc.proc});
        procLine->setData(0, LevelRole, ProcedureLine);
        procLine->setData(0, ResourceRole, 0);
        procLine->setForeground(0, Qt::white);
        procLine->setBackground(0, QColor(0x00, 0x00, 0xFF));
        procLine->setIcon(0, style()->standardIcon(QStyle::SP_DirOpenIcon));
        auto controls = byProc[proc.proc.trimmed().toCaseFolded()];
        std::stable_sort(controls.begin(), controls.end(),
                         [](const ResourceRecord &a, const ResourceRecord &b) { return a.typ < b.typ; });
        QTreeWidgetItem *group = nullptr;
        QString groupType;
        for (const auto &control : controls) {
            if (!group || control.typ != groupType) {
                group = new QTreeWidgetItem(procLine, {AccessSession::tr(groupName(control.typ))});
                group->setData(0, LevelRole, GroupLine);
                group->setData(0, ResourceRole, 0);
                group->setForeground(0, grey);
                group->setIcon(0, style()->standardIcon(QStyle::SP_FileDialogDetailedView));
                groupType = control.typ;
            }
            auto *line = new QTreeWidgetItem(group, {control.description, control.description2});
            line->setData(0, LevelRole, ControlLine);
            line->setData(0, ResourceRole, control.resourceId);
            line->setData(0, Qt::ToolTipRole, control.resource);
            line->setForeground(0, grey);
            markLine(line, m_account.isGranted(control.resourceId));
        }
    }
    m_tree->expandAll();
    m_tree->resizeColumnToContents(0);
    selectionChanged();
    QApplication::restoreOverrideCursor();
}

void RightsTree::selectionChanged()
{
    auto *line = m_tree->currentItem();
    m_toggle->setEnabled(line && line->data(0, ResourceRole).toInt() != 0);
}

void RightsTree::toggle()
{
    auto *line = m_tree->currentItem();
    const qint32 id = line ? line->data(0, ResourceRole).toInt() : 0;
    if (id == 0)
        return;
    const bool granted = !m_account.isGranted(id);
    m_account.setGranted(id, granted);
    markLine(line, granted);
}

void RightsTree::grantAll()
{
    if (!AccessMessages::ask(
            {QStringLiteral("Sind Sie sicher, dass Sie den Zugriff auf alle Bestandteile erlauben möchten?")},
            false))
        return;
    auto resources = AccessSession::repository()->resources();
    if (!resources) {
        AccessMessages::error(resources.error().message);
        return;
    }
    m_account.grantAll(*resources);
    fill();
}

void RightsTree::denyAll()
{
    if (!AccessMessages::ask(
            {QStringLiteral(
                "Sind Sie sicher, dass Sie den Zugriff auf alle Bestandteile entziehen möchten?")},
            false))
        return;
    m_account.denyAll();
    fill();
}

void RightsTree::copyFromUser()
{
    const QString code = m_chooser ? m_chooser() : QString();
    if (code.trimmed().isEmpty())
        return;
    if (auto copied = m_account.copyRightsFrom(*AccessSession::repository(), code); !copied) {
        AccessMessages::error(copied.error().message);
        return;
    }
    fill();
}

} // namespace tarvo::access
