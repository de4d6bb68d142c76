#pragma once

#include "core/services/CalledForm.h"

namespace tarvo::core {

// What the application core, the master data and the reports call of the issue tracking.
class IssueServices {
  public:
    virtual ~IssueServices() = default;
    // BrowseBugs: starts the issue browse on a context of its own; returns that context's number,
    // 0 when it could not be started.
    virtual int browseBugs() = 0;
    // Forms on the caller's context under the request it left there, window-modal to the active
    // window: they return at once and `done` runs when the form has closed.
    // UpdateBugs: the issue in the context's Bugs buffer (for an insert, its program, release and
    // program file prime the new issue).
    virtual void updateBugs(int contextNumber, FormDone done) = 0;
    // UpdateNotes / UpdateAttachments: the note or attachment in the context's Notes or
    // Attachments buffer; one that carries no issue belongs to the program it names.
    virtual void updateNotes(int contextNumber, FormDone done) = 0;
    virtual void updateAttachments(int contextNumber, FormDone done) = 0;
};

} // namespace tarvo::core
