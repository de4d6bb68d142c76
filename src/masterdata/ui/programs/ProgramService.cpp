#include "masterdata/ui/MasterDataService.h"

namespace tarvo::masterdata {

QString MasterDataService::programSelect(int request, const QString &value)
{
    return MasterDataStandIn::programSelect(request, value);
}

void MasterDataService::updatePrograms(int contextNumber, FormDone done)
{
    MasterDataStandIn::updatePrograms(contextNumber, std::move(done));
}

void MasterDataService::updateProgramRelease(int contextNumber, FormDone done)
{
    MasterDataStandIn::updateProgramRelease(contextNumber, std::move(done));
}

void MasterDataService::updateProgramFiles(int contextNumber, FormDone done)
{
    MasterDataStandIn::updateProgramFiles(contextNumber, std::move(done));
}

void MasterDataService::updateWebLinks(int contextNumber, qint32 programId, FormDone done)
{
    MasterDataStandIn::updateWebLinks(contextNumber, programId, std::move(done));
}

} // namespace tarvo::masterdata
