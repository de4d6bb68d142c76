#include "masterdata/ui/MasterDataService.h"

#include "core/frame/UserList.h"
#include "core/services/AccessServices.h"
#include "core/services/Services.h"

namespace tarvo::masterdata {

MasterDataService::MasterDataService(std::function<void(int mode)> paths) : m_paths(std::move(paths)) {}

void MasterDataService::paths(int mode)
{
    if (m_paths)
        m_paths(mode);
    else
        MasterDataStandIn::paths(mode);
}

void MasterDataService::accessAdministration(int)
{
    core::AccessServices &access = *core::Services::access();
    access.administration();
    core::refillUserList(access);
}

} // namespace tarvo::masterdata
