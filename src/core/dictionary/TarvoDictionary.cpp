#include "core/dictionary/TarvoDictionary.h"

namespace tarvo::core {

namespace {

// In the order of the layout upgrade registration: it binds, because each file's rules follow it.
std::vector<data::FileDecl> registeredFiles()
{
    return {
        attachmentsFile(),      bugDescFile(),       bugsFile(),           bugsResponsibleFile(),
        classificationFile(),   contractTypesFile(), customerFile(),       customerContactsFile(),
        customerProgramsFile(), emailEventsFile(),   emailTemplatesFile(), emailsFile(),
        fieldConditionsFile(),  fieldConfigFile(),   fieldSetValueFile(),  historyFile(),
        massEmailsFile(),       notesFile(),         parameterFile(),      printFile(),
        priorityFile(),         programfilesFile(),  programsFile(),       programsAliasFile(),
        releaseNotesFile(),     releasesFile(),      reproducibleFile(),   resolutionFile(),
        severityFile(),         statusFile(),        tipsFile(),           viewsFile(),
        webLinksFile(),         webLinksAliasFile(), programLimitFile(),
    };
}

data::DictionaryDecl buildDictionary()
{
    data::DictionaryDecl d;
    d.files = registeredFiles();
    d.files.push_back(attachmentFilesFile());
    d.files.push_back(pathsFile());
    d.files.push_back(hotKeysFile());
    d.relations = tarvoRelations();
    return d;
}

} // namespace

const data::DictionaryDecl &tarvoDictionary()
{
    static const data::DictionaryDecl dictionary = buildDictionary();
    return dictionary;
}

QStringList upgradeRegistrationOrder()
{
    QStringList labels;
    for (const auto &f : registeredFiles())
        labels << f.label;
    return labels;
}

} // namespace tarvo::core
