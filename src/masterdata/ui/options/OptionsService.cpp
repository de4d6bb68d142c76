#include "masterdata/ui/MasterDataService.h"

namespace tarvo::masterdata {

void MasterDataService::options()
{
    MasterDataStandIn::options();
}

} // namespace tarvo::masterdata
