#include "masterdata/ui/MasterDataService.h"

#include "core/frame/UserList.h"
#include "core/services/AccessServices.h"
#include "core/services/Services.h"
#include "core/startup/SettingsRecord.h"
#include "masterdata/programs/AccessButtonCaptions.h"
#include "platform/runtime/IniFile.h"
#include "platform/runtime/Messages.h"
#include "platform/runtime/ProgramFolder.h"

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
    IniFile vuvuzuIni(ProgramFolder::filePath(QStringLiteral("Vuvuzu.ini")));
    if (auto written = writeAccessButtonCaptions(vuvuzuIni, core::SettingsRecord::instance().record());
        !written)
        Messages::show(written.error().message, QStringLiteral("Tarvo"), MessageIcon::Exclamation);
    core::AccessServices &access = *core::Services::access();
    access.administration();
    core::refillUserList(access);
}

} // namespace tarvo::masterdata
