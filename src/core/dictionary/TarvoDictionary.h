#pragma once

#include "platform/data/FileDecl.h"

#include <QString>
#include <QStringList>

#include <utility>
#include <vector>

// The data dictionary of the main program: every data file and relation, declared once.
namespace tarvo::core {

// Issue files.
data::FileDecl bugsFile();
data::FileDecl historyFile();
data::FileDecl notesFile();
data::FileDecl bugsResponsibleFile();
data::FileDecl attachmentsFile();
data::FileDecl attachmentFilesFile();

// Programs, releases and web links.
data::FileDecl programsFile();
data::FileDecl programsAliasFile();
data::FileDecl programfilesFile();
data::FileDecl releasesFile();
data::FileDecl webLinksFile();
data::FileDecl webLinksAliasFile();

// Customers.
data::FileDecl customerFile();
data::FileDecl customerContactsFile();
data::FileDecl customerProgramsFile();

// Reference lists and tips.
data::FileDecl statusFile();
data::FileDecl severityFile();
data::FileDecl classificationFile();
data::FileDecl priorityFile();
data::FileDecl reproducibleFile();
data::FileDecl resolutionFile();
data::FileDecl contractTypesFile();
data::FileDecl bugDescFile();
data::FileDecl tipsFile();

// Mail files.
data::FileDecl emailEventsFile();
data::FileDecl emailTemplatesFile();
data::FileDecl emailsFile();
data::FileDecl massEmailsFile();

// Report definitions, release-notes definitions, field rules and saved views.
data::FileDecl printFile();
data::FileDecl releaseNotesFile();
data::FileDecl fieldConfigFile();
data::FileDecl fieldConditionsFile();
data::FileDecl fieldSetValueFile();
data::FileDecl viewsFile();

// The settings record.
data::FileDecl parameterFile();
// The values of the settings record that the start-up creates in a new data folder (field name
// without prefix -> value text, in stored order); every other field starts zero or blank.
std::vector<std::pair<QString, QString>> parameterDefaults();

// Files outside the file and relation managers or outside the upgrade registration.
data::FileDecl pathsFile();
data::FileDecl programLimitFile();
data::FileDecl hotKeysFile();

// Every relation: first those with their modes and child keys, in the order the relation managers
// register them, then the plain links from a child to its parents.
std::vector<data::RelationDecl> tarvoRelations();

// The whole dictionary. Files come in the order of the upgrade registration, followed by the files
// that are not registered (AttachmentFiles, PATHS, HotKeys).
const data::DictionaryDecl &tarvoDictionary();

// Labels of the files registered with the layout upgrade, in registration order; a prefix of
// tarvoDictionary().files.
QStringList upgradeRegistrationOrder();

} // namespace tarvo::core
