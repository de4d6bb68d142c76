#pragma once

#include "listext/TagQueue.h"

namespace tarvo::masterdata {

// The tagged customers, shared by the customer browse and the program form's customers tab for
// the whole run; each empties it when it opens and when it closes.
class CustomerTagQueue final : public listext::TagQueue {
  public:
    // The one queue of the process.
    static CustomerTagQueue &global();
};

} // namespace tarvo::masterdata
