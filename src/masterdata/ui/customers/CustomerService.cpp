#include "masterdata/ui/MasterDataService.h"

namespace tarvo::masterdata {

void MasterDataService::browseCustomer()
{
    MasterDataStandIn::browseCustomer();
}

int MasterDataService::pickCustomer(int contextNumber)
{
    return MasterDataStandIn::pickCustomer(contextNumber);
}

} // namespace tarvo::masterdata
