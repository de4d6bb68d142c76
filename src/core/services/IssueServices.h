#pragma once

namespace tarvo::core {

// What the application core calls of the issue tracking.
class IssueServices {
  public:
    virtual ~IssueServices() = default;
    // BrowseBugs: starts the issue browse on a context of its own; returns that context's number,
    // 0 when it could not be started.
    virtual int browseBugs() = 0;
};

} // namespace tarvo::core
