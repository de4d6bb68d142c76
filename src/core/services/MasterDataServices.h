#pragma once

#include "core/services/CalledForm.h"

#include <QString>

#include <functional>

namespace tarvo::core {

// What the application core and the issue tracking call of the master-data subsystem:
// the path dialog, the options window, the customer browse and the forms of programs,
// releases, program files and web links. Forms read the request from the caller's context.
class MasterDataServices {
  public:
    virtual ~MasterDataServices() = default;

    // Paths: the data-folder dialog. mode 1: the path file has no record 1; mode 2: record 1
    // names a folder that does not exist. Runs modally; the caller reads the path file again.
    virtual void paths(int mode) = 0;
    // Options: the settings window, on a context of its own, run once.
    virtual void options() = 0;
    // BrowseCustomer started from the menu or a toolbar, on a context of its own, run once.
    virtual void browseCustomer() = 0;
    // BrowseCustomer as a picker on the caller's context (request 4): 1 a customer was chosen,
    // 2 a contact was chosen, 0 nothing.
    virtual int pickCustomer(int contextNumber) = 0;
    // BrowseReleaseNotes, on a context of its own, run once.
    virtual void browseReleaseNotes() = 0;
    // AccessAdministration: writes the button captions to "Vuvuzu.ini", runs the access
    // administration with the program picker bound, and refills the user list.
    virtual void accessAdministration(int contextNumber) = 0;
    // Vuvuzu_ProgramSelect: request 1 add, 2 change; value "name°ID" or empty. Returns the
    // chosen program in the same form, or an empty text when cancelled.
    virtual QString programSelect(int request, const QString &value) = 0;
    using FormDone = core::FormDone;
    // Forms on the caller's context, for the record in that context's buffer, window-modal to the
    // caller's window: they return at once and `done` runs when the form has closed.
    virtual void updatePrograms(int contextNumber, FormDone done) = 0;
    virtual void updateProgramRelease(int contextNumber, FormDone done) = 0;
    virtual void updateProgramFiles(int contextNumber, FormDone done) = 0;
    virtual void updateWebLinks(int contextNumber, qint32 programId, FormDone done) = 0;
};

} // namespace tarvo::core
