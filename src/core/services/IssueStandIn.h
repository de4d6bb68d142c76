#pragma once

#include "core/services/IssueServices.h"

namespace tarvo::core {

// The issue tracking while it is not built: the issue browse says so and starts nothing.
class IssueStandIn : public IssueServices {
  public:
    int browseBugs() override;
};

} // namespace tarvo::core
