#include "masterdata/ui/programs/UpdateProgramFiles.h"

#include "core/lists/ReadKeyOrder.h"
#include "core/startup/SettingsRecord.h"
#include "masterdata/programs/DependentIssues.h"
#include "masterdata/ui/programs/UpdateProgramRelease.h"
#include "platform/data/FileManager.h"
#include "platform/data/Session.h"

#include <QComboBox>
#include <QFileDialog>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTimer>

namespace tarvo::masterdata::ui {

namespace {

UpdateProgramFiles::ChooseFile &fileChooser()
{
    static UpdateProgramFiles::ChooseFile chooser;
    return chooser;
}

QString chooseWithDialog(QWidget *window, const QString &current)
{
    return QFileDialog::getOpenFileName(window, QStringLiteral("Choose Programfile..."), current,
                                        QStringLiteral("Programfiles (*.exe *.com *.bat);;All files (*)"));
}

} // namespace

void UpdateProgramFiles::setFileChooser(ChooseFile chooser)
{
    fileChooser() = std::move(chooser);
}

UpdateProgramFiles::UpdateProgramFiles(Context &context, data::Session &session, QObject *parent)
    : ProgramEntryForm(context, QStringLiteral("UpdateProgramFiles"), session, QStringLiteral("Programfiles"),
                       QStringLiteral("PFIL:PRGID"),
                       {QStringLiteral("Add Programfile..."), QStringLiteral("Change Programfile...")},
                       parent)
{
    m_file = new QLineEdit;
    m_file->setObjectName(QStringLiteral("PFIL:FILE"));
    auto *lookup = new QPushButton(QStringLiteral("..."));
    lookup->setObjectName(QStringLiteral("LOOKUPFILE"));
    auto *fileRow = new QHBoxLayout;
    fileRow->addWidget(m_file);
    fileRow->addWidget(lookup);
    m_since = new QComboBox;
    m_since->setEditable(true);
    m_since->setObjectName(QStringLiteral("PFIL:SINCERELEASE"));
    auto *description = new QPlainTextEdit;
    description->setObjectName(QStringLiteral("PFIL:DESCRIPTION"));
    rows()->addRow(QStringLiteral("File:"), fileRow);
    rows()->addRow(QStringLiteral("Since Version:"), m_since);
    rows()->addRow(QStringLiteral("Description:"), description);

    field(QStringLiteral("PFIL:FILE"), m_file);
    field(QStringLiteral("PFIL:SINCERELEASE"), m_since);
    field(QStringLiteral("PFIL:Description"), description);
    acceptOn(lookup);
    onCheck([this](data::Record &file) { return checkDuplicate(file); });
    onDeleted([this](const data::Record &file) {
        return DependentIssues(this->session())
            .removeIssuesOfProgramFile(programId(), file.text(QStringLiteral("PFIL:FILE")));
    });
    // OK takes every field: a release typed in is then saved as typed, without a release form.
    connect(okButton(), &QPushButton::pressed, this, [this]() { m_accepting = true; });
    connect(okButton(), &QPushButton::clicked, this, [this]() { m_accepting = false; });
    // Deferred: a press of OK that took the focus from the field has been seen by then.
    connect(m_since->lineEdit(), &QLineEdit::editingFinished, this,
            [this]() { QTimer::singleShot(0, this, [this]() { offerNewRelease(); }); });
    fillReleases();
}

void UpdateProgramFiles::takeAccepted(const QString &controlName)
{
    if (controlName.compare(QStringLiteral("LOOKUPFILE"), Qt::CaseInsensitive) != 0) {
        ProgramEntryForm::takeAccepted(controlName);
        return;
    }
    if (!takeControls())
        return;
    const ChooseFile &chooser = fileChooser();
    const QString current = record().text(QStringLiteral("PFIL:FILE"));
    const QString chosen = chooser ? chooser(window(), current) : chooseWithDialog(window(), current);
    // A cancelled dialog keeps the name the user typed.
    if (chosen.isEmpty())
        return;
    record().setValue(QStringLiteral("PFIL:FILE"), chosen);
    showRecord();
}

// The program's releases, newest text first, as the key orders them.
void UpdateProgramFiles::fillReleases()
{
    const QString typed = m_since->currentText();
    m_since->clear();
    QStringList releases;
    if (auto failed = core::readKeyOrder(
            session(), QStringLiteral("Releases"), QStringLiteral("REL:KeyPrgIDRelease"), {programId()},
            [&](const data::Record &r) { releases << r.text(QStringLiteral("REL:Release")); }))
        refuse(failed->message, m_since);
    m_since->addItems(releases);
    m_since->setCurrentText(typed);
}

void UpdateProgramFiles::offerNewRelease()
{
    const QString typed = m_since->currentText().trimmed();
    if (m_accepting || typed.isEmpty() || !isOpen() || isViewOnly() ||
        core::SettingsRecord::instance().integer(QStringLiteral("PAR:DisableVersionInsert")) != 0 ||
        m_since->findText(typed, Qt::MatchFixedString | Qt::MatchCaseSensitive) >= 0)
        return;
    auto refill = [this, guard = QPointer<QObject>(this)]() {
        if (guard)
            fillReleases();
    };
    if (m_addRelease) {
        m_addRelease(window(), refill);
        return;
    }
    data::FileManager *releases = session().file(QStringLiteral("Releases"));
    if (!releases)
        return;
    data::Record &release = releases->buffer();
    release = releases->newRecord();
    release.setValue(QStringLiteral("REL:PRGID"), programId());
    release.setValue(QStringLiteral("REL:Release"), typed);
    context().setThreadRequest(Request::Insert);
    auto *form = new UpdateProgramRelease(context(), session());
    form->openModal(window(), [refill](int) { refill(); });
}

bool UpdateProgramFiles::checkDuplicate(data::Record &file)
{
    const QString name = file.text(QStringLiteral("PFIL:FILE"));
    if (request() == Request::Change && name == snapshot().text(QStringLiteral("PFIL:FILE")))
        return true;
    auto exists = DependentIssues(session()).programFileExists(programId(), name);
    if (exists && !*exists)
        return true;
    refuse(exists ? QStringLiteral("This program file already exists!") : exists.error().message, m_file);
    return false;
}

} // namespace tarvo::masterdata::ui
