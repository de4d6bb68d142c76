#include "core/frame/MenuRights.h"

#include "core/services/AccessServices.h"

namespace tarvo::core {

const std::vector<MenuRight> &MenuRights::table()
{
    static const std::vector<MenuRight> rights = [] {
        const auto item = [](const char *control, const char *key) {
            return MenuRight{QString::fromUtf8(control), QStringLiteral("TARVO:?") + QString::fromUtf8(key)};
        };
        return std::vector<MenuRight>{
            item("BROWSE", "Browse"),
            item("BROWSECUSTOMER", "BrowseCustomer"),
            item("EXTRAEMAILEVENTS", "ExtraEMailevents"),
            item("EXTRAEMAILTEMPLATES", "ExtraEMailtemplates"),
            item("FILEMASSEMAILS", "FileMassEMails"),
            item("FILEGENERATERELEASENOTES", "FileGenerateReleaseNotes"),
            item("EXTRA", "Extra"),
            item("EXTRAOPTIONS", "ExtraOptions"),
            item("EXTRAUSERSETTINGS", "ExtraUserSettings"),
            item("EXTRASECURITYSYSTEM", "ExtraSecuritySystem"),
            item("EXTRACHANGEPASSWORD", "ExtraChangePassword"),
            item("VERSCHIEDENESINIDATEILÖSCHEN", "VerschiedenesINIDateilöschen"),
        };
    }();
    return rights;
}

void MenuRights::apply(AccessServices &access, const std::function<void(const QString &, bool)> &apply)
{
    for (const MenuRight &right : table())
        apply(right.control, access.checkControl(right.rightsKey));
}

} // namespace tarvo::core
