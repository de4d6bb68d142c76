#pragma once

#include "core/startup/SettingsValues.h"
#include "platform/data/Record.h"

namespace tarvo::issues {

// The issue as it stood before a change (every field and all eighteen memos), held by the window
// or the run that changes it, so that the notifications can tell what the change did.
class IssueSnapshot final {
  public:
    enum Mode { Copy = 0, Clear = 1 };

    // BugSnapshot: Copy takes `issue`, Clear empties the copy; nothing happens while the settings
    // switch notifications off (the copy keeps what it held), nor for another mode.
    void take(int mode, const data::Record &issue, const core::SettingsValues &settings);
    const data::Record &issue() const { return m_issue; }

  private:
    data::Record m_issue;
};

} // namespace tarvo::issues
