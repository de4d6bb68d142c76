#include "access/ui/UpdateArchivOrdner.h"

#include "access/ArchiveFolders.h"
#include "access/Vuvuzu.h"
#include "access/ui/WindowPlace.h"
#include "access/ui/WindowTranslation.h"
#include "platform/runtime/Text.h"

#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace tarvo::access {

namespace {
const QString Name = QStringLiteral("UpdateArchivOrdner");
}

UpdateArchivOrdner::UpdateArchivOrdner(int request, int category, const QString &row, QWidget *parent)
    : QDialog(parent), m_category(category), m_folder(new QLineEdit(this))
{
    setObjectName(Name);
    setWindowTitle(request == 1 ? QStringLiteral("Gesperrter Archiv Ordner · Neuanlage")
                                : QStringLiteral("Gesperrter Archiv Ordner · Ändern"));
    m_folder->setObjectName(QStringLiteral("Ordner"));
    m_folder->setMaxLength(250);
    if (request == 2) {
        m_folder->setText(ArchiveFolders::folderName(row));
        m_number = ArchiveFolders::folderNumber(row);
    }
    auto *lookupButton = new QPushButton(QStringLiteral("..."), this);
    lookupButton->setObjectName(QStringLiteral("Lookup"));
    lookupButton->setAutoDefault(false);
    connect(lookupButton, &QPushButton::clicked, this, &UpdateArchivOrdner::lookup);
    auto *buttons = new QDialogButtonBox(this);
    auto *ok = buttons->addButton(QStringLiteral("&OK"), QDialogButtonBox::AcceptRole);
    ok->setObjectName(QStringLiteral("OK"));
    ok->setDefault(true);
    buttons->addButton(QStringLiteral("&Cancel"), QDialogButtonBox::RejectRole)
        ->setObjectName(QStringLiteral("Cancel"));
    connect(buttons, &QDialogButtonBox::accepted, this, &UpdateArchivOrdner::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &UpdateArchivOrdner::reject);
    auto *row1 = new QHBoxLayout();
    row1->addWidget(new QLabel(QStringLiteral("Archiv Ordner:"), this));
    row1->addWidget(m_folder, 1);
    row1->addWidget(lookupButton);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(row1);
    layout->addWidget(buttons);
    translateWindow(this);
    WindowPlace::restore(this, Name);
}

void UpdateArchivOrdner::lookup()
{
    const QString chosen = Text::clip(VuvuzuLookUp_BrowseArchivOrdner(m_category));
    if (chosen.isEmpty())
        return;
    m_folder->setText(chosen.section(QChar(0xB0), 0, 0));
    m_number = chosen.section(QChar(0xB0), 1, 1).toInt();
}

void UpdateArchivOrdner::accept()
{
    if (Text::clip(m_folder->text()).isEmpty()) {
        m_folder->setFocus();
        return;
    }
    m_result = ArchiveFolders::row(m_category, m_folder->text(), m_number);
    QDialog::accept();
}

void UpdateArchivOrdner::done(int result)
{
    WindowPlace::store(this, Name);
    QDialog::done(result);
}

} // namespace tarvo::access
