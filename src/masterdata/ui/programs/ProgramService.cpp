#include "masterdata/ui/MasterDataService.h"

namespace tarvo::masterdata {

QString MasterDataService::programSelect(int request, const QString &value)
{
    return MasterDataStandIn::programSelect(request, value);
}

void MasterDataService::updatePrograms(int contextNumber)
{
    MasterDataStandIn::updatePrograms(contextNumber);
}

void MasterDataService::updateProgramRelease(int contextNumber)
{
    MasterDataStandIn::updateProgramRelease(contextNumber);
}

void MasterDataService::updateProgramFiles(int contextNumber)
{
    MasterDataStandIn::updateProgramFiles(contextNumber);
}

void MasterDataService::updateWebLinks(int contextNumber, qint32 programId)
{
    MasterDataStandIn::updateWebLinks(contextNumber, programId);
}

} // namespace tarvo::masterdata
