#include "access/ui/Vuvuzu_BrowseUsers.h"

#include "access/AccessMessages.h"
#include "access/AccessSession.h"
#include "access/DayClock.h"
#include "access/UserOrder.h"
#include "access/ui/WindowTranslation.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QPushButton>
#include <QStyle>
#include <QTabBar>
#include <QTableWidget>
#include <QVBoxLayout>

#include <algorithm>

namespace tarvo::access {

Vuvuzu_BrowseUsers::Vuvuzu_BrowseUsers(const QString &userCode, QWidget *parent)
    : QDialog(parent), m_result(userCode), m_order(new QTabBar(this)), m_list(new QTableWidget(this))
{
    setObjectName(QStringLiteral("Vuvuzu_BrowseUsers"));
    setWindowTitle(QStringLiteral("Benutzer"));
    m_order->addTab(QStringLiteral("MAK"));
    m_order->addTab(QStringLiteral("Name"));
    m_list->setObjectName(QStringLiteral("List"));
    m_list->setColumnCount(7);
    m_list->setHorizontalHeaderLabels({QString(), QStringLiteral("MAK"), QStringLiteral("Anrede"),
                                       QStringLiteral("Vorname"), QStringLiteral("Name"),
                                       QStringLiteral("Telefon"), QStringLiteral("EMail")});
    m_list->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_list->setSelectionMode(QAbstractItemView::SingleSelection);
    m_list->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_list->verticalHeader()->hide();
    auto *choose = new QPushButton(QStringLiteral("&Auswahl"), this);
    choose->setObjectName(QStringLiteral("Select"));
    choose->setDefault(true);
    auto *close = new QPushButton(QStringLiteral("&Schließen"), this);
    close->setObjectName(QStringLiteral("Close"));
    connect(choose, &QPushButton::clicked, this, &Vuvuzu_BrowseUsers::select);
    connect(close, &QPushButton::clicked, this, &Vuvuzu_BrowseUsers::reject);
    connect(m_list, &QTableWidget::cellDoubleClicked, this, &Vuvuzu_BrowseUsers::select);
    connect(m_order, &QTabBar::currentChanged, this, &Vuvuzu_BrowseUsers::fill);
    auto *buttons = new QHBoxLayout();
    buttons->addStretch();
    buttons->addWidget(choose);
    buttons->addWidget(close);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_order);
    layout->addWidget(m_list);
    layout->addLayout(buttons);
    translateWindow(this);

    auto users = AccessSession::repository()->users();
    if (!users)
        AccessMessages::error(users.error().message);
    else
        m_users = std::move(*users);
    fill();
}

void Vuvuzu_BrowseUsers::fill()
{
    std::vector<UserRecord> rows = m_users;
    if (m_order->currentIndex() == 1)
        sortUsersByName(rows);
    const qint32 today = DayClock::today();
    const QIcon forbidden = style()->standardIcon(QStyle::SP_MessageBoxCritical);
    m_list->setRowCount(int(rows.size()));
    for (int r = 0; r < int(rows.size()); ++r) {
        const UserRecord &u = rows[size_t(r)];
        const QStringList texts{QString(), u.mak, u.anrede, u.zusatz, u.name, u.telefon, u.email};
        for (int c = 0; c < texts.size(); ++c) {
            auto *item = new QTableWidgetItem(texts.at(c));
            // Deactivated users are drawn in C08080h (00BBGGRR).
            if (u.inaktiv)
                item->setForeground(QColor(0x80, 0x80, 0xC0));
            m_list->setItem(r, c, item);
        }
        if (u.inaktiv || (u.typ == 2 && u.gueltigBis < today))
            m_list->item(r, 0)->setIcon(forbidden);
    }
    if (!rows.empty())
        m_list->selectRow(0);
}

void Vuvuzu_BrowseUsers::select()
{
    const int row = m_list->currentRow();
    if (row < 0)
        return;
    m_result = m_list->item(row, 1)->text();
    accept();
}

QString Vuvuzu_BrowseUsers::choose(const QString &userCode, QWidget *parent)
{
    Vuvuzu_BrowseUsers dialog(userCode, parent);
    dialog.exec();
    return dialog.result();
}

} // namespace tarvo::access
