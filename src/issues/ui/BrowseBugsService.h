#pragma once

#include "core/services/IssueServices.h"

namespace tarvo {
class ContextRegistry;
}

namespace tarvo::issues::ui {

struct BrowseBugsUser;

// The issue tracking as the application core and the master data call it: starts the issue
// browse on a context of its own for the logged-in user, and the issue, note and attachment forms
// on a caller's context.
class BrowseBugsService final : public core::IssueServices {
  public:
    explicit BrowseBugsService(ContextRegistry &registry) : m_registry(registry) {}

    int browseBugs() override;
    void updateBugs(int contextNumber, core::FormDone done) override;
    void updateNotes(int contextNumber, core::FormDone done) override;
    void updateAttachments(int contextNumber, core::FormDone done) override;

    // The logged-in user as the browse knows him, from the access library and the frame.
    static BrowseBugsUser currentUser();

  private:
    ContextRegistry &m_registry;
};

} // namespace tarvo::issues::ui
