#pragma once

#include "core/services/IssueServices.h"

namespace tarvo::core {

// The issue tracking while it is not built: every window says so, starts nothing and answers as
// if the user had cancelled.
class IssueStandIn : public IssueServices {
  public:
    int browseBugs() override;
    void updateBugs(int contextNumber, FormDone done) override;
    void updateNotes(int contextNumber, FormDone done) override;
    void updateAttachments(int contextNumber, FormDone done) override;
};

} // namespace tarvo::core
