#include "access/ui/Vuvuzu_BrowseUsers.h"

#include "access/AccessMessages.h"
#include "access/AccessSession.h"
#include "access/DayClock.h"
#include "access/UserOrder.h"
#include "access/ui/AddressLink.h"
#include "access/ui/WindowPlace.h"
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

namespace {
const QString Name = QStringLiteral("Vuvuzu_BrowseUsers");
}

Vuvuzu_BrowseUsers::Vuvuzu_BrowseUsers(const QString &userCode, QWidget *parent)
    : QDialog(parent), m_result(userCode), m_order(new QTabBar(this)), m_list(new QTableWidget(this))
{
    setObjectName(Name);
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
    auto *phone = new QPushButton(QStringLiteral("Call Phone number"), this);
    phone->setObjectName(QStringLiteral("Phone"));
    phone->setAutoDefault(false);
    auto *mail = new QPushButton(QStringLiteral("Send EMail"), this);
    mail->setObjectName(QStringLiteral("EMail"));
    mail->setAutoDefault(false);
    connect(phone, &QPushButton::clicked, this, &Vuvuzu_BrowseUsers::callUser);
    connect(mail, &QPushButton::clicked, this, &Vuvuzu_BrowseUsers::mailUser);
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
    buttons->addWidget(phone);
    buttons->addWidget(mail);
    buttons->addStretch();
    buttons->addWidget(choose);
    buttons->addWidget(close);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_order);
    layout->addWidget(m_list);
    layout->addLayout(buttons);
    translateWindow(this);
    resize(640, 400);
    WindowPlace::restore(this, Name);

    auto users = AccessSession::repository()->users();
    if (!users)
        AccessMessages::error(users.error().message);
    else
        m_users = std::move(*users);
    fill();
}

void Vuvuzu_BrowseUsers::fill()
{
    m_rows = m_users;
    if (m_order->currentIndex() == 1)
        sortUsersByName(m_rows);
    const std::vector<UserRecord> &rows = m_rows;
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

const UserRecord *Vuvuzu_BrowseUsers::selectedUser() const
{
    const int row = m_list->currentRow();
    return row >= 0 && row < int(m_rows.size()) ? &m_rows[size_t(row)] : nullptr;
}

void Vuvuzu_BrowseUsers::callUser()
{
    if (const UserRecord *user = selectedUser())
        AddressLink::open(QStringLiteral("tel:"), user->telefon);
}

void Vuvuzu_BrowseUsers::mailUser()
{
    if (const UserRecord *user = selectedUser())
        AddressLink::open(QStringLiteral("mailto:"), user->email);
}

void Vuvuzu_BrowseUsers::done(int result)
{
    WindowPlace::store(this, Name);
    QDialog::done(result);
}

QString Vuvuzu_BrowseUsers::choose(const QString &userCode, QWidget *parent)
{
    Vuvuzu_BrowseUsers dialog(userCode, parent);
    dialog.exec();
    return dialog.result();
}

} // namespace tarvo::access
