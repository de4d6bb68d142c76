#include "access/ui/ArchiveFoldersTab.h"

#include "access/AccessMessages.h"
#include "access/AccessSession.h"
#include "access/ArchiveFolders.h"
#include "access/UserAccount.h"
#include "access/ui/UpdateArchivOrdner.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

namespace tarvo::access {

ArchiveFoldersTab::ArchiveFoldersTab(UserAccount &account, const QString &securityFile, QWidget *parent)
    : QWidget(parent), m_account(account), m_category(new QComboBox(this)), m_list(new QListWidget(this))
{
    setObjectName(QStringLiteral("ArchiveTab"));
    m_category->setObjectName(QStringLiteral("Archiv"));
    for (const auto &c : ArchiveFolders::categories(securityFile))
        m_category->addItem(AccessSession::tr(c.name), c.number);
    m_list->setObjectName(QStringLiteral("ArchiveList"));
    auto *insert = new QPushButton(QStringLiteral("&Einfügen"), this);
    auto *change = new QPushButton(QStringLiteral("&Ändern"), this);
    auto *remove = new QPushButton(QStringLiteral("&Löschen"), this);
    insert->setObjectName(QStringLiteral("InsertArchive"));
    change->setObjectName(QStringLiteral("ChangeArchive"));
    remove->setObjectName(QStringLiteral("DeleteArchive"));
    connect(insert, &QPushButton::clicked, this, &ArchiveFoldersTab::insertRow);
    connect(change, &QPushButton::clicked, this, &ArchiveFoldersTab::changeRow);
    connect(remove, &QPushButton::clicked, this, &ArchiveFoldersTab::deleteRow);
    connect(m_category, &QComboBox::currentIndexChanged, this, &ArchiveFoldersTab::fill);
    m_editor = [this](int request, int categoryNumber, const QString &row) {
        UpdateArchivOrdner form(request, categoryNumber, row, this);
        return form.exec() == QDialog::Accepted ? form.result() : QString();
    };
    auto *top = new QHBoxLayout();
    top->addWidget(new QLabel(QStringLiteral("Archiv:"), this));
    top->addWidget(m_category, 1);
    auto *buttons = new QHBoxLayout();
    buttons->addStretch();
    for (auto *b : {insert, change, remove})
        buttons->addWidget(b);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(
        QStringLiteral("Diesem Benutzer den Zugriff auf folgende Archiv-Ordner nicht erlauben."), this));
    layout->addLayout(top);
    layout->addWidget(new QLabel(QStringLiteral("Gesperrte Archiv-Ordner"), this));
    layout->addWidget(m_list);
    layout->addLayout(buttons);
    fill();
}

int ArchiveFoldersTab::category() const
{
    return m_category->currentData().toInt();
}

void ArchiveFoldersTab::fill()
{
    m_list->clear();
    for (const QString &row : ArchiveFolders::rowsOf(m_account.programLimits(), category())) {
        auto *item = new QListWidgetItem(ArchiveFolders::folderName(row), m_list);
        item->setData(Qt::UserRole, row);
    }
    if (m_list->count() > 0)
        m_list->setCurrentRow(0);
}

void ArchiveFoldersTab::insertRow()
{
    const QString row = m_editor(1, category(), QString());
    if (row.isEmpty())
        return;
    if (!m_account.addProgramLimit(row))
        AccessMessages::refuse({QStringLiteral("Dieser Archiv-Ordner ist bereits eingetragen.")});
    fill();
}

void ArchiveFoldersTab::changeRow()
{
    auto *item = m_list->currentItem();
    if (!item)
        return;
    const QString old = item->data(Qt::UserRole).toString();
    const QString row = m_editor(2, category(), old);
    if (row.isEmpty())
        return;
    m_account.replaceProgramLimit(old, row);
    fill();
}

void ArchiveFoldersTab::deleteRow()
{
    auto *item = m_list->currentItem();
    if (!item || !AccessMessages::ask(
                     {QStringLiteral("Sind Sie sicher, dass Sie diesen Datensatz löschen möchten?")}, false))
        return;
    m_account.removeProgramLimit(item->data(Qt::UserRole).toString());
    fill();
}

} // namespace tarvo::access
