#include "masterdata/ui/programs/UpdateProgramRelease.h"

#include "core/ui/PickDate.h"
#include "masterdata/programs/DependentIssues.h"

#include <QFormLayout>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>

namespace tarvo::masterdata::ui {

UpdateProgramRelease::UpdateProgramRelease(Context &context, data::Session &session, QObject *parent)
    : ProgramEntryForm(context, QStringLiteral("UpdateProgramRelease"), session, QStringLiteral("Releases"),
                       QStringLiteral("REL:PRGID"),
                       {QStringLiteral("Add Release..."), QStringLiteral("Change Release...")}, parent)
{
    m_release = new QLineEdit;
    m_release->setObjectName(QStringLiteral("REL:RELEASE"));
    m_date = new QLineEdit;
    m_date->setObjectName(QStringLiteral("REL:RELEASEDATE"));
    auto *calendar = new QPushButton(QStringLiteral("..."));
    calendar->setObjectName(QStringLiteral("CALLOOKUP"));
    auto *dateRow = new QHBoxLayout;
    dateRow->addWidget(m_date);
    dateRow->addWidget(calendar);
    auto *description = new QPlainTextEdit;
    description->setObjectName(QStringLiteral("REL:DESCRIPTION"));
    rows()->addRow(QStringLiteral("Release:"), m_release);
    rows()->addRow(QStringLiteral("Release date:"), dateRow);
    rows()->addRow(QStringLiteral("Description:"), description);

    field(QStringLiteral("REL:Release"), m_release);
    field(QStringLiteral("REL:ReleaseDate"), m_date).picture(QStringLiteral("@D6"));
    field(QStringLiteral("REL:Description"), description);
    acceptOn(calendar);
    // The program-file form offers a release typed there.
    keepOnPrime(QStringLiteral("REL:Release"));
    onCheck([this](data::Record &release) { return checkDuplicate(release); });
    onDeleted([this](const data::Record &release) {
        return DependentIssues(this->session())
            .removeIssuesOfRelease(programId(), release.text(QStringLiteral("REL:Release")));
    });
}

void UpdateProgramRelease::takeAccepted(const QString &controlName)
{
    if (controlName.compare(QStringLiteral("CALLOOKUP"), Qt::CaseInsensitive) != 0) {
        ProgramEntryForm::takeAccepted(controlName);
        return;
    }
    if (!takeControls())
        return;
    const auto date = qint32(record().integer(QStringLiteral("REL:ReleaseDate")));
    core::ui::PickDate(date, window(), m_date, [this, guard = QPointer<QObject>(this)](qint32 picked) {
        if (!guard)
            return;
        record().setValue(QStringLiteral("REL:ReleaseDate"), picked);
        showRecord();
    });
}

// The release itself passes: only a new text is looked for among the program's releases.
bool UpdateProgramRelease::checkDuplicate(data::Record &release)
{
    const QString text = release.text(QStringLiteral("REL:Release"));
    if (request() == Request::Change && text == snapshot().text(QStringLiteral("REL:Release")))
        return true;
    auto exists = DependentIssues(session()).releaseExists(programId(), text);
    if (exists && !*exists)
        return true;
    refuse(exists ? QStringLiteral("This release already exists!") : exists.error().message, m_release);
    return false;
}

} // namespace tarvo::masterdata::ui
