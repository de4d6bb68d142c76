#include "masterdata/MasterDataService.h"

namespace tarvo::masterdata {

MasterDataService::MasterDataService(std::function<void(int mode)> paths) : m_paths(std::move(paths)) {}

void MasterDataService::paths(int mode)
{
    if (m_paths)
        m_paths(mode);
    else
        MasterDataStandIn::paths(mode);
}

} // namespace tarvo::masterdata
