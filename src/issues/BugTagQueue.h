#pragma once

#include "listext/TagQueue.h"

namespace tarvo::issues {

// The tagged issues, for the whole run of the program.
class BugTagQueue final : public listext::TagQueue {
  public:
    // The one queue of the process.
    static BugTagQueue &global();
};

} // namespace tarvo::issues
