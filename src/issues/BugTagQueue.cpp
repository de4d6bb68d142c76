#include "issues/BugTagQueue.h"

namespace tarvo::issues {

BugTagQueue &BugTagQueue::global()
{
    static BugTagQueue queue;
    return queue;
}

} // namespace tarvo::issues
