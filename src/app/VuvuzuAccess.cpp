#include "VuvuzuAccess.h"

#include "access/Vuvuzu.h"
#include "core/services/MasterDataServices.h"
#include "core/services/Services.h"

namespace tarvo::app {

using namespace tarvo::access;

bool VuvuzuAccess::login(const QString &securityFile, const QString &language, const QString &information)
{
    return VUVUZU_LOGIN(securityFile, language, information) != 0;
}

bool VuvuzuAccess::checkControl(const QString &rightsKey)
{
    return VUVUZU_CHECKCONTROL(rightsKey) != 0;
}
QString VuvuzuAccess::getValue(const QString &key, const QString &userCode)
{
    return VUVUZU_GETVALUE(key, userCode);
}
void VuvuzuAccess::changePassword(const QString &userCode, bool forced)
{
    VUVUZU_CHANGEPASSWORD(userCode, forced ? 1 : 0);
}
QString VuvuzuAccess::browseUsers(const QString &userCode)
{
    return VUVUZU_BROWSEUSERS(userCode);
}
void VuvuzuAccess::useFiles(int mode)
{
    VUVUZU_USEFILES(mode);
}
void VuvuzuAccess::administration()
{
    // The administration picks programs for the program limits through the host's picker.
    setVuvuzu_ProgramSelect([](int request, const QString &value) {
        return core::Services::masterData()->programSelect(request, value);
    });
    VUVUZU();
    setVuvuzu_ProgramSelect(nullptr);
}
void VuvuzuAccess::repairDataFiles()
{
    VUVUZU_TPSFIX();
}
QString VuvuzuAccess::mak() const
{
    return MAK();
}
QString VuvuzuAccess::makOrdner() const
{
    return MAKORDNER();
}
qint32 VuvuzuAccess::farbe() const
{
    return FARBE();
}
void VuvuzuAccess::setFarbe(qint32 colour)
{
    setFARBE(colour);
}
QString VuvuzuAccess::pfad() const
{
    return PFAD();
}
void VuvuzuAccess::setPfad(const QString &folder)
{
    setPFAD(folder);
}
QString VuvuzuAccess::computerName() const
{
    return ComputerName();
}

void VuvuzuAccess::unload()
{
    VUVUZU_UNLOAD();
}

} // namespace tarvo::app
