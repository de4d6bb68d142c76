#pragma once

#include "access/VuvuzuExport.h"

#include <QString>

#include <functional>

// The boundary of the access library Vuvuzu: what the host program calls, under the library's
// own names. The login runs once on the GUI thread; afterwards VUVUZU_CHECKCONTROL,
// VUVUZU_GETVALUE and the variables may be used from any thread.
namespace tarvo::access {

// The login dialog Vuvuzu_Login. Set PFAD and FARBE first. 1 when a user or the master logged in.
VUVUZU_API quint8 VUVUZU_LOGIN(const QString &securityFile, const QString &language,
                               const QString &information);
// 1 when the logged-in user may use the control with this rights key ("UpdateBugs:?Insert").
VUVUZU_API quint8 VUVUZU_CHECKCONTROL(const QString &rightsKey);
// A value of the logged-in user or of the user with the given code (numbers as decimal text).
VUVUZU_API QString VUVUZU_GETVALUE(const QString &key, const QString &userCode = QString());
// The change-password dialog Vuvuzu_ChangePassword; forced = 1: it cannot be cancelled.
VUVUZU_API void VUVUZU_CHANGEPASSWORD(const QString &userCode, int forced);
// The user picker Vuvuzu_BrowseUsers: the chosen code, or the given one when nothing was chosen.
VUVUZU_API QString VUVUZU_BROWSEUSERS(const QString &userCode);
// 1: opens the rights tables for VUVUZU_CHECKCONTROL; any other value closes them.
VUVUZU_API void VUVUZU_USEFILES(int mode);
// The administration window.
VUVUZU_API void VUVUZU();
// The data-file repair window.
VUVUZU_API void VUVUZU_TPSFIX();
// The library's unload: closes the rights tables and the store and forgets the login. The host
// calls it after its last call into the library and before its application object goes, because
// the store's connections need Qt's SQL drivers, which do not outlive the process's static
// objects. Should a host not call it, the library does the same when the application object ends.
VUVUZU_API void VUVUZU_UNLOAD();

// The library's exported variables, safe to read from any thread.
VUVUZU_API QString MAK();       // the logged-in user's code (its first three characters are the initials)
VUVUZU_API QString MAKORDNER(); // the user's own folder, home of "User.ini"
VUVUZU_API qint32 FARBE();      // display colour, 00BBGGRR
VUVUZU_API void setFARBE(qint32 colour);
VUVUZU_API QString PFAD(); // the data folder, home of "Vuvuzu.db"
VUVUZU_API void setPFAD(const QString &dataFolder);
VUVUZU_API QString ComputerName();

// The host's program picker, which the administration calls while it is registered: request
// 1 add, 2 change, and the current value ("<name>°<ID>" or empty); returns the chosen program in
// the same form, or an empty text when the user cancelled. Register an empty function to remove it.
using ProgramSelectFunction = std::function<QString(int request, const QString &prgName)>;
VUVUZU_API void setVuvuzu_ProgramSelect(ProgramSelectFunction picker);
// Calls the registered picker; an empty text when none is registered.
VUVUZU_API QString Vuvuzu_ProgramSelect(int request, const QString &prgName);

// The host's archive-folder picker for a category (a byte): "<folder name>°<folder number>", or an
// empty text when cancelled. Register an empty function to remove it.
using ArchiveFolderLookupFunction = std::function<QString(int category)>;
VUVUZU_API void setVuvuzuLookUp_BrowseArchivOrdner(ArchiveFolderLookupFunction lookup);
// Calls the registered picker; an empty text when none is registered.
VUVUZU_API QString VuvuzuLookUp_BrowseArchivOrdner(int category);

// The library's translator: a German text of the library in the language the login chose.
VUVUZU_API QString translateVuvuzu(const QString &german);

} // namespace tarvo::access
