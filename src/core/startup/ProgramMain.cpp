#include "core/startup/ProgramMain.h"

#include "core/services/AccessServices.h"
#include "core/services/Services.h"
#include "core/startup/CharsetCode.h"
#include "core/startup/DataFileNames.h"
#include "core/startup/ErrorWithCode.h"
#include "core/startup/InstallerMode.h"
#include "core/startup/LanguageTables.h"
#include "core/startup/LoadDataPath.h"
#include "core/startup/PathFile.h"
#include "core/startup/ProgramGlobals.h"
#include "core/startup/SettingsFile.h"
#include "core/startup/StartupParts.h"
#include "platform/runtime/CommandLine.h"
#include "platform/runtime/Messages.h"
#include "platform/runtime/ProgramFolder.h"
#include "platform/runtime/ProgramInfo.h"
#include "platform/runtime/Translator.h"

#include <QCoreApplication>

namespace tarvo::core {

namespace {

constexpr int kExitFailed = 1;

void showCreateFailed(const SettingsFile &settings, const Error &error)
{
    Messages::show(QStringLiteral("Error creating file \"") + settings.name() +
                       QStringLiteral("\"!|Error: ") + withCode(error),
                   ProgramInfo::productName(), MessageIcon::Information);
}

// Opens the settings file and reads its record, or creates it with the record of a new data
// folder. False (after a message) when the program cannot go on: it never runs with settings it
// does not have, and never creates a file over one that exists but cannot be opened.
bool openSettings(SettingsFile &settings)
{
    auto opened = settings.open();
    if (!opened && opened.error().code == 2) {
        if (auto made = settings.create(); !made) {
            showCreateFailed(settings, made.error());
            return false;
        }
        // A file just made that does not open is as good as one that could not be made.
        if (auto again = settings.open(); !again) {
            showCreateFailed(settings, again.error());
            return false;
        }
        if (auto added = settings.addDefaults(); !added) {
            showCreateFailed(settings, added.error());
            return false;
        }
        return true;
    }
    if (!opened) {
        Messages::show(QStringLiteral("The settings file \"") + settings.name() +
                           QStringLiteral("\" could not be opened.|Error: ") + withCode(opened.error()) +
                           QStringLiteral("||It was left as it is; the program ends."),
                       ProgramInfo::productName(), MessageIcon::Exclamation);
        return false;
    }
    auto read = settings.readFirst();
    if (!read) {
        Messages::show(QStringLiteral("The settings of \"") + settings.name() +
                           QStringLiteral("\" could not be read.|Error: ") + withCode(read.error()),
                       ProgramInfo::productName(), MessageIcon::Exclamation);
        return false;
    }
    if (!*read) {
        if (auto added = settings.addDefaults(); !added) {
            Messages::show(QStringLiteral("The settings could not be added to \"") + settings.name() +
                               QStringLiteral("\".|Error: ") + withCode(added.error()),
                           ProgramInfo::productName(), MessageIcon::Exclamation);
            return false;
        }
    }
    return true;
}

void shutDown(const CommandLine &commandLine, StartupParts &parts, SettingsFile &settings)
{
    if (parts.netCloseCallBackWindow)
        parts.netCloseCallBackWindow();
    const bool trace = commandLine.hasSwitch(u"/nettalklog") || commandLine.hasSwitch(u"/nettalklogerrors") ||
                       commandLine.hasSwitch(u"/netall");
    if (trace && !commandLine.hasSwitch(u"/netnolog") && parts.netDebugTrace) {
        parts.netDebugTrace(QStringLiteral("[Nettalk Template] NetTalk Template version 3.14"));
        parts.netDebugTrace(QStringLiteral("[Nettalk Template] NetTalk Object version 3.14"));
        parts.netDebugTrace(QStringLiteral("[Nettalk Template] Closing Down NetTalk (Object) version 3.14 in "
                                           "application ") +
                            QCoreApplication::applicationFilePath().toLower());
    }
    if (auto closed = settings.close(); !closed)
        Messages::stop(closed.error().message);
    if (parts.releaseHtmlEditor)
        parts.releaseHtmlEditor();
    if (parts.endIni)
        parts.endIni();
}

} // namespace

int ProgramMain(Context &first, const CommandLine &commandLine, StartupParts &parts)
{
    if (parts.openIni)
        parts.openIni(ProgramFolder::filePath(QStringLiteral("Tarvo.INI")));
    ProgramGlobals::setOwnerPassword(QStringLiteral("kolvin"));

    if (InstallerMode::requested(commandLine)) {
        PathFile file(parts.pathFile);
        return InstallerMode::run(commandLine, file, parts.switchToGerman);
    }

    if (parts.setUpTranslator)
        parts.setUpTranslator();
    AccessServices *access = Services::access();

    PathFile pathFile(parts.pathFile);
    auto folder = findDataFolder(pathFile, parts.prompt);
    if (!folder)
        return kExitFailed;
    access->setPfad(*folder);

    DataFileNames::nameAll(*folder);
    if (!ProgramGlobals::filesRegistered()) {
        ProgramGlobals::setFilesRegistered(true);
        if (parts.registerFiles) {
            if (auto registered = parts.registerFiles(*folder); !registered) {
                Messages::show(QStringLiteral("The data files in \"") + *folder +
                                   QStringLiteral("\" cannot be used.|Error: ") +
                                   withCode(registered.error()),
                               ProgramInfo::productName(), MessageIcon::Exclamation);
                return kExitFailed;
            }
        }
    }

    std::unique_ptr<SettingsFile> settings = parts.settingsFile ? parts.settingsFile(first) : nullptr;
    if (!settings || !openSettings(*settings))
        return kExitFailed;

    // Collation and case rules need no setting here: the stores compare text with their own
    // collations, the same on every computer.
    const QString language = settings->text(QStringLiteral("Language"));
    LanguageTables::apply(isGermanLanguage(language));

    if (commandLine.hasSwitch(u"/C")) {
        if (parts.conversions)
            parts.conversions(first);
        return 0;
    }

    access->setFarbe(settings->text(QStringLiteral("COLOR")).toInt());
    ProgramGlobals::setCharsetCode(
        CharsetCode::apply(settings->text(QStringLiteral("Charset")), ProgramGlobals::charsetCode()));
    if (!access->login(QStringLiteral("Tarvo.sec"), language,
                       CharsetCode::loginInformation(ProgramGlobals::charsetCode())))
        return 0;

    if (parts.frame)
        parts.frame(first);
    shutDown(commandLine, parts, *settings);
    return 0;
}

} // namespace tarvo::core
