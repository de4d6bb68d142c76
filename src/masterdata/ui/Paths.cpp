#include "masterdata/ui/Paths.h"

#include "core/startup/LoadDataPath.h"
#include "platform/runtime/Messages.h"
#include "platform/ui/HelpKey.h"
#include "platform/ui/TranslateWindow.h"
#include "platform/ui/WindowManager.h"

#include <QDialogButtonBox>
#include <QFileDialog>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStyle>
#include <QToolButton>
#include <QVBoxLayout>

namespace tarvo::masterdata::ui {

namespace {

constexpr int kEntryWidth = 255;

Paths::FolderChooser g_chooser;

QString chooseFolder(QWidget *parent, const QString &title, const QString &start)
{
    if (g_chooser)
        return g_chooser(parent, title, start);
    return QFileDialog::getExistingDirectory(parent, title, start, QFileDialog::ShowDirsOnly);
}

QPushButton *button(const QString &name, const QString &text)
{
    auto *b = new QPushButton(text);
    b->setObjectName(name);
    b->setAutoDefault(false);
    return b;
}

} // namespace

Paths::Paths(int mode, const QString &pathFile, QWidget *parent)
    : QDialog(parent), m_mode(mode), m_file(pathFile)
{
    setObjectName(QStringLiteral("Paths"));
    setWindowTitle(QStringLiteral("Path"));

    auto *prompt = new QLabel(QStringLiteral("Please specify the path where your data should reside."));
    auto *pathLabel = new QLabel(QStringLiteral("Path:"));
    m_entry = new QLineEdit;
    m_entry->setObjectName(QStringLiteral("P"));
    m_entry->setMaxLength(kEntryWidth);
    m_entry->setMinimumWidth(320);
    pathLabel->setBuddy(m_entry);
    m_dirLook = new QToolButton;
    m_dirLook->setObjectName(QStringLiteral("DIRLOOK"));
    m_dirLook->setIcon(style()->standardIcon(QStyle::SP_DirIcon));
    m_dirLook->setToolTip(QStringLiteral("Lookup Directory..."));

    auto *ok = button(QStringLiteral("OK"), QStringLiteral("&OK"));
    ok->setDefault(true);
    auto *cancel = button(QStringLiteral("Cancel"), QStringLiteral("&Cancel"));
    auto *help = button(QStringLiteral("Help"), QStringLiteral("&Help"));
    auto *buttons = new QDialogButtonBox;
    buttons->addButton(ok, QDialogButtonBox::AcceptRole);
    buttons->addButton(cancel, QDialogButtonBox::RejectRole);
    buttons->addButton(help, QDialogButtonBox::HelpRole);

    auto *row = new QGridLayout;
    row->addWidget(pathLabel, 0, 0);
    row->addWidget(m_entry, 0, 1);
    row->addWidget(m_dirLook, 0, 2);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(prompt);
    layout->addLayout(row);
    layout->addWidget(buttons);

    connect(ok, &QPushButton::clicked, this, &Paths::accept);
    connect(cancel, &QPushButton::clicked, this, &Paths::reject);
    connect(m_dirLook, &QToolButton::clicked, this, &Paths::lookUpDirectory);
    tarvo::ui::HelpKey::bind(this, help,
                             [] { (void)tarvo::ui::WindowManager::showHelp(QStringLiteral("Path.htm")); });

    // The file may have been removed since the start-up looked at it; it is made again then.
    auto opened = m_file.open();
    if (!opened && opened.error().code == core::PathFile::ErrorFileNotFound) {
        if (auto made = m_file.create(); made)
            opened = m_file.open();
        else
            opened = made;
    }
    if (!opened) {
        Messages::stop(opened.error().message);
    } else if (m_mode == 2) {
        auto stored = m_file.read();
        if (stored)
            m_entry->setText(*stored);
        else
            Messages::stop(stored.error().message);
    }
    // The character set of the settings needs no font change: every text is Unicode.
    tarvo::ui::translateWindow(this);
}

Paths::~Paths()
{
    m_file.close();
}

void Paths::run(int mode, const QString &pathFile)
{
    Paths dialog(mode, pathFile);
    dialog.exec();
}

void Paths::setFolderChooser(FolderChooser chooser)
{
    g_chooser = std::move(chooser);
}

void Paths::accept()
{
    const QString folder = m_entry->text();
    Result<void> written;
    if (m_mode == 1)
        written = m_file.add(folder);
    else if (m_mode == 2)
        written = m_file.update(folder);
    if (!written)
        Messages::stop(written.error().message);
    m_file.close();
    QDialog::accept();
}

void Paths::lookUpDirectory()
{
    const QString chosen = chooseFolder(this, QStringLiteral("Lookup Directory..."), m_entry->text());
    if (chosen.isEmpty())
        return;
    m_entry->setText(core::dataFolderOf(chosen));
}

} // namespace tarvo::masterdata::ui
