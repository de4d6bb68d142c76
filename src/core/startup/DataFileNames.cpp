#include "core/startup/DataFileNames.h"

#include <QHash>

#include <array>
#include <mutex>

namespace tarvo::core {

namespace {

constexpr std::array<DataFileNames::Entry, 36> kNames{{
    {"Bugs", "/Bugs.TPS"},
    {"Programs", "/Programs.TPS"},
    {"ProgramsAlias", "/Programs.TPS"},
    {"Parameter", "/Para.TPS"},
    {"Status", "/Status.TPS"},
    {"Severity", "/Severity.TPS"},
    {"Customer", "/Customer.TPS"},
    {"CustomerContacts", "/CustCont.TPS"},
    {"CustomerPrograms", "/CustProg.TPS"},
    {"Programfiles", "/Prgfiles.TPS"},
    {"Releases", "/Releases.TPS"},
    {"Attachments", "/Attach.TPS"},
    {"AttachmentFiles", "/AttachF.TPS"},
    {"Classification", "/Class.TPS"},
    {"EMailEvents", "/EMailE.TPS"},
    {"EMailTemplates", "/EMailT.TPS"},
    {"EMails", "/EMails.TPS"},
    {"FieldConfig", "/FieldCon.TPS"},
    {"FieldConditions", "/FieldSVC.TPS"},
    {"FieldSetValue", "/FieldSV.TPS"},
    {"Reproducible", "/Reprod.TPS"},
    {"Resolution", "/Resol.TPS"},
    {"ContractTypes", "/Contract.TPS"},
    {"Priority", "/Priority.TPS"},
    {"Print", "/Print.TPS"},
    {"BugDesc", "/BugDesc.TPS"},
    {"Tips", "/Tips.TPS"},
    {"ReleaseNotes", "/ReleaseN.TPS"},
    {"BugsResponsible", "/BugsResp.TPS"},
    {"Views", "/Views.TPS"},
    {"Notes", "/Notes.TPS"},
    {"History", "/History.TPS"},
    {"MassEMails", "/MassEMails.TPS"},
    {"WebLinks", "/WebLinks.TPS"},
    {"WebLinksAlias", "/WebLinks.TPS"},
    {"ProgramLimit", "/Vuvuzu/!ProgLimit"},
}};

std::mutex g_lock;
QHash<QString, QString> g_names; // by lower-case label
QString g_folder;

} // namespace

std::span<const DataFileNames::Entry> DataFileNames::table()
{
    return kNames;
}

void DataFileNames::nameAll(const QString &dataFolder)
{
    QString folder = dataFolder;
    if (folder.endsWith(u'/') && folder.size() > 1)
        folder.chop(1);
    std::lock_guard lock(g_lock);
    g_folder = folder;
    g_names.clear();
    for (const Entry &e : kNames)
        g_names.insert(QString::fromLatin1(e.label).toLower(), folder + QLatin1String(e.physicalName));
}

QString DataFileNames::name(const QString &label)
{
    std::lock_guard lock(g_lock);
    return g_names.value(label.toLower());
}

QString DataFileNames::dataFolder()
{
    std::lock_guard lock(g_lock);
    return g_folder;
}

} // namespace tarvo::core
