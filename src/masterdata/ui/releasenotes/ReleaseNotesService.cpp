#include "masterdata/ui/MasterDataService.h"

namespace tarvo::masterdata {

void MasterDataService::browseReleaseNotes()
{
    MasterDataStandIn::browseReleaseNotes();
}

} // namespace tarvo::masterdata
