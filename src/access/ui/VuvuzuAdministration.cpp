#include "access/ui/VuvuzuAdministration.h"

#include "access/AccessMessages.h"
#include "access/AccessSession.h"
#include "access/DayClock.h"
#include "access/KeyText.h"
#include "access/UserOrder.h"
#include "access/VuvuzuPaths.h"
#include "access/ui/AccessHelp.h"
#include "access/ui/AddressLink.h"
#include "access/ui/BrowseLogins.h"
#include "access/ui/ImportProgress.h"
#include "access/ui/Parameter.h"
#include "access/ui/UpdateBenutzer.h"
#include "access/ui/WindowPlace.h"
#include "access/ui/WindowTranslation.h"
#include "platform/runtime/IniFile.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QMenuBar>
#include <QPushButton>
#include <QStyle>
#include <QTabBar>
#include <QTableWidget>
#include <QVBoxLayout>

#include <algorithm>

namespace tarvo::access {

namespace {

const QString Name = QStringLiteral("Vuvuzu");
enum Column { IconColumn, CodeColumn, TypeColumn };

QString typeText(qint32 typ)
{
    switch (typ) {
    case 1:
        return AccessSession::tr(QStringLiteral("Benutzer"));
    case 2:
        return AccessSession::tr(QStringLiteral("Temporär"));
    case 3:
        return QStringLiteral("Administrator");
    }
    return {};
}

} // namespace

VuvuzuAdministration::VuvuzuAdministration(QWidget *parent)
    : QDialog(parent), m_order(new QTabBar(this)), m_list(new QTableWidget(this))
{
    setObjectName(Name);
    setWindowTitle(QStringLiteral("Vuvuzussystem"));
    auto *menuBar = new QMenuBar(this);
    auto *file = menuBar->addMenu(AccessSession::tr(QStringLiteral("&Datei")));
    file->setObjectName(QStringLiteral("FileMenu"));
    file->addAction(AccessSession::tr(QStringLiteral("Allgemeine &Vuvuzuseinstellungen")), this,
                    &VuvuzuAdministration::openOptions)
        ->setObjectName(QStringLiteral("Options"));
    file->addAction(AccessSession::tr(QStringLiteral("Benutzer-&Anmeldungen")), this,
                    &VuvuzuAdministration::openLogins)
        ->setObjectName(QStringLiteral("Logins"));
    file->addSeparator();
    file->addAction(AccessSession::tr(QStringLiteral("&Schließen")), this, &VuvuzuAdministration::reject);

    m_order->setObjectName(QStringLiteral("Order"));
    m_order->addTab(QStringLiteral("MAK"));
    m_order->addTab(QStringLiteral("Name"));
    m_list->setObjectName(QStringLiteral("List"));
    m_list->setColumnCount(8);
    m_list->setHorizontalHeaderLabels({QString(), QStringLiteral("MAK"), QStringLiteral("Typ"),
                                       QStringLiteral("Anrede"), QStringLiteral("Vorname"),
                                       QStringLiteral("Name"), QStringLiteral("Telefon"),
                                       QStringLiteral("E-Mail")});
    m_list->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_list->setSelectionMode(QAbstractItemView::SingleSelection);
    m_list->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_list->verticalHeader()->hide();
    connect(m_order, &QTabBar::currentChanged, this, &VuvuzuAdministration::fill);
    connect(m_list, &QTableWidget::cellDoubleClicked, this, &VuvuzuAdministration::changeUser);

    auto *side = new QVBoxLayout();
    side->addWidget(button(QStringLiteral("Allgemeine Vuvuzuseinstellungen"), "OptionsButton",
                           &VuvuzuAdministration::openOptions));
    side->addWidget(button(QStringLiteral("Call Phone number"), "Phone", &VuvuzuAdministration::callUser));
    side->addWidget(button(QStringLiteral("Send EMail"), "EMail", &VuvuzuAdministration::mailUser));
    side->addStretch();
    auto *insert = button(QStringLiteral("&Einfügen"), "Insert", &VuvuzuAdministration::insertUser);
    auto *change = button(QStringLiteral("&Ändern"), "Change", &VuvuzuAdministration::changeUser);
    auto *remove = button(QStringLiteral("&Löschen"), "Delete", &VuvuzuAdministration::deleteUser);
    auto *close = button(QStringLiteral("&Schließen"), "Close", &VuvuzuAdministration::reject);
    auto *help = AccessHelp::install(this, [] { return QStringLiteral("Security System Help.htm"); });
    auto *buttons = new QHBoxLayout();
    buttons->addStretch();
    for (auto *b : {insert, change, remove, close, help})
        buttons->addWidget(b);
    auto *listColumn = new QVBoxLayout();
    listColumn->addWidget(m_order);
    listColumn->addWidget(m_list);
    auto *body = new QHBoxLayout();
    body->addLayout(listColumn, 1);
    body->addLayout(side);
    auto *layout = new QVBoxLayout(this);
    layout->setMenuBar(menuBar);
    layout->addLayout(body);
    layout->addLayout(buttons);

    // The rights tree shows the current catalogue: a control added to the product since the
    // last opening comes in now, granted to every user. The import reports its own failures.
    (void)ImportProgress::import(*AccessSession::repository(), AccessSession::state().securityFile, this);

    translateWindow(this);
    IniFile ini(VuvuzuPaths::vuvuzuIni());
    const std::pair<QPushButton *, QString> captions[] = {{insert, QStringLiteral("Insert")},
                                                          {change, QStringLiteral("Change")},
                                                          {remove, QStringLiteral("Delete")}};
    for (const auto &[b, key] : captions)
        if (const QString caption = ini.value(Name, key); !caption.isEmpty())
            b->setText(caption);
    resize(760, 420);
    WindowPlace::restore(this, Name);
    fill();
}

QPushButton *VuvuzuAdministration::button(const QString &caption, const char *name,
                                          void (VuvuzuAdministration::*action)())
{
    auto *b = new QPushButton(caption, this);
    b->setObjectName(QLatin1String(name));
    b->setAutoDefault(false);
    connect(b, &QPushButton::clicked, this, action);
    return b;
}

void VuvuzuAdministration::fill()
{
    const QString keep = selectedCode();
    auto users = AccessSession::repository()->users();
    if (!users) {
        AccessMessages::error(users.error().message);
        return;
    }
    m_users = std::move(*users);
    if (m_order->currentIndex() == 1)
        sortUsersByName(m_users);
    const qint32 today = DayClock::today();
    const QIcon forbidden = style()->standardIcon(QStyle::SP_MessageBoxCritical);
    m_list->setRowCount(int(m_users.size()));
    for (int r = 0; r < int(m_users.size()); ++r) {
        const UserRecord &u = m_users[size_t(r)];
        const QStringList texts{QString(), u.mak,  typeText(u.typ), u.anrede,
                                u.zusatz,  u.name, u.telefon,       u.email};
        for (int c = 0; c < texts.size(); ++c) {
            auto *item = new QTableWidgetItem(texts.at(c));
            // Deactivated users are drawn in C08080h (00BBGGRR).
            if (u.inaktiv)
                item->setForeground(QColor(0x80, 0x80, 0xC0));
            m_list->setItem(r, c, item);
        }
        if (u.inaktiv || (u.typ == 2 && u.gueltigBis < today))
            m_list->item(r, IconColumn)->setIcon(forbidden);
    }
    selectCode(keep);
}

QString VuvuzuAdministration::selectedCode() const
{
    const int row = m_list->currentRow();
    return row >= 0 && m_list->item(row, CodeColumn) ? m_list->item(row, CodeColumn)->text() : QString();
}

void VuvuzuAdministration::selectCode(const QString &code)
{
    for (int r = 0; r < m_list->rowCount(); ++r)
        if (KeyText::fold(m_list->item(r, CodeColumn)->text()) == KeyText::fold(code)) {
            m_list->selectRow(r);
            return;
        }
    if (m_list->rowCount() > 0)
        m_list->selectRow(0);
}

void VuvuzuAdministration::insertUser()
{
    UpdateBenutzer form(UpdateBenutzer::Insert, QString(), this);
    if (form.isReady() && form.exec() == QDialog::Accepted) {
        fill();
        selectCode(form.account().user.mak);
    }
}

void VuvuzuAdministration::changeUser()
{
    const QString code = selectedCode();
    if (code.isEmpty())
        return;
    UpdateBenutzer form(UpdateBenutzer::Change, code, this);
    if (form.isReady() && form.exec() == QDialog::Accepted) {
        fill();
        selectCode(form.account().user.mak);
    }
}

void VuvuzuAdministration::deleteUser()
{
    const QString code = selectedCode();
    if (!code.isEmpty() && UpdateBenutzer::run(UpdateBenutzer::Delete, code, this))
        fill();
}

void VuvuzuAdministration::callUser()
{
    const int row = m_list->currentRow();
    if (row >= 0)
        AddressLink::open(QStringLiteral("tel:"), m_users[size_t(row)].telefon);
}

void VuvuzuAdministration::mailUser()
{
    const int row = m_list->currentRow();
    if (row >= 0)
        AddressLink::open(QStringLiteral("mailto:"), m_users[size_t(row)].email);
}

void VuvuzuAdministration::openOptions()
{
    Parameter::run(this);
    fill();
}

void VuvuzuAdministration::openLogins()
{
    BrowseLogins window(this);
    window.exec();
    fill();
}

void VuvuzuAdministration::done(int result)
{
    WindowPlace::store(this, Name);
    QDialog::done(result);
}

} // namespace tarvo::access
