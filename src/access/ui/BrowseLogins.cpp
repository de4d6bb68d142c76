#include "access/ui/BrowseLogins.h"

#include "access/AccessMessages.h"
#include "access/AccessSession.h"
#include "access/DayClock.h"
#include "access/VuvuzuPaths.h"
#include "access/ui/AccessHelp.h"
#include "access/ui/WindowPlace.h"
#include "access/ui/WindowTranslation.h"
#include "platform/runtime/IniFile.h"
#include "platform/runtime/Picture.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QPushButton>
#include <QTabBar>
#include <QTableWidget>
#include <QVBoxLayout>

namespace tarvo::access {

namespace {
const QString Name = QStringLiteral("BrowseLogins");
}

BrowseLogins::BrowseLogins(QWidget *parent) : QDialog(parent), m_list(new QTableWidget(this))
{
    setObjectName(Name);
    setWindowTitle(QStringLiteral("Benutzer-Anmeldungen"));
    auto *tab = new QTabBar(this);
    tab->addTab(QStringLiteral("MAK"));
    m_list->setObjectName(QStringLiteral("List"));
    m_list->setColumnCount(4);
    m_list->setHorizontalHeaderLabels({QStringLiteral("MAK"), QStringLiteral("Datum"),
                                       QStringLiteral("Uhrzeit"), QStringLiteral("Computer")});
    m_list->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_list->setSelectionMode(QAbstractItemView::SingleSelection);
    m_list->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_list->verticalHeader()->hide();
    auto *remove = new QPushButton(QStringLiteral("&Löschen"), this);
    remove->setObjectName(QStringLiteral("Delete"));
    remove->setAutoDefault(false);
    auto *close = new QPushButton(QStringLiteral("&Schließen"), this);
    close->setObjectName(QStringLiteral("Close"));
    connect(remove, &QPushButton::clicked, this, &BrowseLogins::deleteRow);
    connect(close, &QPushButton::clicked, this, &BrowseLogins::reject);
    auto *buttons = new QHBoxLayout();
    buttons->addStretch();
    buttons->addWidget(remove);
    buttons->addWidget(close);
    buttons->addWidget(AccessHelp::install(this, [] { return QStringLiteral("NewTopic2.htm"); }));
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(tab);
    layout->addWidget(m_list);
    layout->addLayout(buttons);
    translateWindow(this);
    if (const QString caption =
            IniFile(VuvuzuPaths::vuvuzuIni()).value(QStringLiteral("Vuvuzu"), QStringLiteral("Delete"));
        !caption.isEmpty())
        remove->setText(caption);
    WindowPlace::restore(this, Name);
    fill();
}

void BrowseLogins::fill()
{
    const int keep = m_list->currentRow();
    auto rows = AccessSession::repository()->logins();
    if (!rows) {
        AccessMessages::error(rows.error().message);
        return;
    }
    m_rows = std::move(*rows);
    m_list->setRowCount(int(m_rows.size()));
    for (int r = 0; r < int(m_rows.size()); ++r) {
        const LoginRecord &row = m_rows[size_t(r)];
        const QStringList texts{row.mak, DayClock::formatDate(row.date),
                                Picture::format(row.time, QStringLiteral("@T8B")), row.computer};
        for (int c = 0; c < texts.size(); ++c)
            m_list->setItem(r, c, new QTableWidgetItem(texts.at(c)));
    }
    if (!m_rows.empty())
        m_list->selectRow(std::clamp(keep, 0, int(m_rows.size()) - 1));
}

void BrowseLogins::deleteRow()
{
    const int row = m_list->currentRow();
    if (row < 0 || row >= int(m_rows.size()))
        return;
    if (!AccessMessages::ask({QStringLiteral("Sind Sie sicher, dass Sie diesen Datensatz löschen möchten?")},
                             false))
        return;
    if (auto removed = AccessSession::repository()->removeLogin(m_rows[size_t(row)]); !removed)
        AccessMessages::error(removed.error().message);
    fill();
}

void BrowseLogins::done(int result)
{
    WindowPlace::store(this, Name);
    QDialog::done(result);
}

} // namespace tarvo::access
