#include "masterdata/customers/CustomerTagQueue.h"

namespace tarvo::masterdata {

CustomerTagQueue &CustomerTagQueue::global()
{
    static CustomerTagQueue queue;
    return queue;
}

} // namespace tarvo::masterdata
