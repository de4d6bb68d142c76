#include "core/conversions/Datenkonvertieren.h"

#include "core/conversions/ConversionDisplay.h"
#include "core/conversions/RunDataUpgrades.h"
#include "platform/data/FileManager.h"
#include "platform/data/RelationManager.h"
#include "platform/data/Session.h"

#include <QStringList>

namespace tarvo::core {

namespace {

// Opened with every file they relate to.
const QStringList &relationFiles()
{
    static const QStringList labels = {
        QStringLiteral("Attachments"), QStringLiteral("BugDesc"),        QStringLiteral("ContractTypes"),
        QStringLiteral("EMailEvents"), QStringLiteral("EMailTemplates"), QStringLiteral("FieldConditions"),
        QStringLiteral("Parameter"),   QStringLiteral("Tips"),           QStringLiteral("Reproducible"),
        QStringLiteral("Resolution"),  QStringLiteral("ReleaseNotes"),   QStringLiteral("Views"),
    };
    return labels;
}

const QStringList &plainFiles()
{
    static const QStringList labels = {
        QStringLiteral("Bugs"),
        QStringLiteral("BugsResponsible"),
        QStringLiteral("Classification"),
        QStringLiteral("Customer"),
        QStringLiteral("CustomerContacts"),
        QStringLiteral("CustomerPrograms"),
        QStringLiteral("EMails"),
        QStringLiteral("FieldConfig"),
        QStringLiteral("Print"),
        QStringLiteral("Priority"),
        QStringLiteral("Programfiles"),
        QStringLiteral("Programs"),
        QStringLiteral("Releases"),
        QStringLiteral("Severity"),
        QStringLiteral("Status"),
        QStringLiteral("FieldSetValue"),
        QStringLiteral("Notes"),
        QStringLiteral("History"),
        QStringLiteral("MassEMails"),
        QStringLiteral("WebLinks"),
    };
    return labels;
}

} // namespace

void Datenkonvertieren(data::Session &session, ConversionDisplay *display)
{
    if (display)
        display->openConversionWindow();
    // A file that cannot be opened has been reported by its manager; the others go on.
    for (const QString &label : relationFiles())
        if (auto *relations = session.relations(label))
            (void)relations->open();
    for (const QString &label : plainFiles())
        if (auto *file = session.file(label))
            (void)file->open();

    RunDataUpgrades(session, display);

    for (const QString &label : relationFiles())
        if (auto *relations = session.relations(label))
            relations->file().close();
    if (display)
        display->closeConversionWindow();
}

} // namespace tarvo::core
