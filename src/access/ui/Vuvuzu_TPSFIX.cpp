#include "access/ui/Vuvuzu_TPSFIX.h"

#include "access/AccessMessages.h"
#include "access/AccessSession.h"
#include "access/DataFileRepair.h"
#include "access/ui/WindowPlace.h"
#include "access/ui/WindowTranslation.h"
#include "platform/runtime/Messages.h"
#include "platform/runtime/Text.h"

#include <QApplication>
#include <QFileDialog>
#include <QFileInfo>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace tarvo::access {

namespace {
const QString Name = QStringLiteral("Vuvuzu_TPSFIX");
}

Vuvuzu_TPSFIX::Vuvuzu_TPSFIX(QWidget *parent)
    : QDialog(parent), m_file(new QLineEdit(this)), m_start(new QPushButton(QStringLiteral("&Start"), this)),
      m_log(new QPlainTextEdit(this)),
      m_noErrors(new QLabel(QStringLiteral("Keine Fehler in der Datei gefunden."), this))
{
    setObjectName(Name);
    setWindowTitle(QStringLiteral("Dateireparatur"));
    auto *header = new QLabel(QStringLiteral("Dateiüberprüfung/-Reparatur"), this);
    m_file->setObjectName(QStringLiteral("Datei"));
    m_file->setMaxLength(255);
    auto *lookup = new QPushButton(QStringLiteral("Datei auswählen..."), this);
    lookup->setObjectName(QStringLiteral("Lookup"));
    lookup->setAutoDefault(false);
    m_start->setObjectName(QStringLiteral("Start"));
    auto *close = new QPushButton(QStringLiteral("&Schließen"), this);
    close->setObjectName(QStringLiteral("Close"));
    close->setAutoDefault(false);
    auto *logGroup = new QGroupBox(QStringLiteral("Log"), this);
    auto *logLayout = new QVBoxLayout(logGroup);
    m_log->setObjectName(QStringLiteral("Log"));
    m_log->setReadOnly(true);
    m_log->hide();
    m_noErrors->hide();
    logLayout->addWidget(m_log);
    logLayout->addWidget(m_noErrors);
    connect(lookup, &QPushButton::clicked, this, &Vuvuzu_TPSFIX::pickFile);
    connect(m_start, &QPushButton::clicked, this, &Vuvuzu_TPSFIX::start);
    connect(close, &QPushButton::clicked, this, &Vuvuzu_TPSFIX::reject);
    connect(m_file, &QLineEdit::textEdited, this, [this] { m_start->setEnabled(true); });
    auto *fileRow = new QHBoxLayout();
    fileRow->addWidget(new QLabel(QStringLiteral("Datei:"), this));
    fileRow->addWidget(m_file, 1);
    fileRow->addWidget(lookup);
    auto *buttons = new QHBoxLayout();
    buttons->addWidget(m_start);
    buttons->addStretch();
    buttons->addWidget(close);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(header);
    layout->addLayout(fileRow);
    layout->addWidget(logGroup, 1);
    layout->addLayout(buttons);
    translateWindow(this);
    resize(560, 380);
    WindowPlace::restore(this, Name);
}

void Vuvuzu_TPSFIX::pickFile()
{
    const QString chosen =
        QFileDialog::getOpenFileName(this, AccessSession::tr(QStringLiteral("Datei auswählen...")),
                                     m_file->text(), QStringLiteral("SQLite (*.db)"));
    if (chosen.isEmpty())
        return;
    m_file->setText(chosen);
    m_start->setEnabled(true);
}

void Vuvuzu_TPSFIX::start()
{
    const QString file = Text::clip(m_file->text());
    if (file.isEmpty()) {
        Messages::beep(MessageIcon::Exclamation);
        m_file->setFocus();
        return;
    }
    m_log->hide();
    m_noErrors->hide();
    QApplication::setOverrideCursor(Qt::WaitCursor);
    // A data folder stands for the stores it keeps on its PostgreSQL server.
    auto report =
        QFileInfo(file).isDir() ? DataFileRepair::checkPostgres(file) : DataFileRepair::repairSqlite(file);
    QApplication::restoreOverrideCursor();
    if (!report) {
        AccessMessages::error(report.error().message);
        return;
    }
    m_start->setEnabled(false);
    if (report->findings.isEmpty() && !report->rebuilt) {
        m_noErrors->show();
        return;
    }
    m_log->setPlainText(report->text());
    m_log->show();
    // The running program still reads and writes the file it opened, which is now the backup.
    if (report->rebuilt)
        AccessMessages::notice({QStringLiteral("The file was rebuilt.|Please restart the program before you "
                                               "go on working, so that it uses the rebuilt file.")});
}

void Vuvuzu_TPSFIX::done(int result)
{
    WindowPlace::store(this, Name);
    QDialog::done(result);
}

} // namespace tarvo::access
