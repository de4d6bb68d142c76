#include "access/Vuvuzu.h"

#include "access/AccessSession.h"
#include "access/RightsCheck.h"
#include "access/UserValueLookup.h"

#include <QMutex>

namespace tarvo::access {

namespace {

QMutex g_pickerMutex;
ProgramSelectFunction g_picker;
ArchiveFolderLookupFunction g_archiveLookup;

} // namespace

quint8 VUVUZU_CHECKCONTROL(const QString &rightsKey)
{
    return RightsCheck::check(rightsKey) ? 1 : 0;
}

QString VUVUZU_GETVALUE(const QString &key, const QString &userCode)
{
    return UserValueLookup::value(key, userCode);
}

void VUVUZU_USEFILES(int mode)
{
    if (mode != 1) {
        RightsCheck::close();
        return;
    }
    const SessionState s = AccessSession::state();
    RightsCheck::open(*AccessSession::repository(), s.mak);
}

void VUVUZU_UNLOAD()
{
    RightsCheck::close();
    AccessSession::unload();
}

QString MAK()
{
    return AccessSession::state().mak;
}
QString MAKORDNER()
{
    return AccessSession::state().makOrdner;
}
qint32 FARBE()
{
    return AccessSession::state().farbe;
}
void setFARBE(qint32 colour)
{
    AccessSession::change([colour](SessionState &s) { s.farbe = colour; });
}
QString PFAD()
{
    return AccessSession::state().pfad;
}
void setPFAD(const QString &dataFolder)
{
    AccessSession::change([&](SessionState &s) { s.pfad = dataFolder; });
}
QString ComputerName()
{
    return AccessSession::state().computerName;
}

void setVuvuzu_ProgramSelect(ProgramSelectFunction picker)
{
    QMutexLocker lock(&g_pickerMutex);
    g_picker = std::move(picker);
}

QString Vuvuzu_ProgramSelect(int request, const QString &prgName)
{
    ProgramSelectFunction picker;
    {
        QMutexLocker lock(&g_pickerMutex);
        picker = g_picker;
    }
    return picker ? picker(request, prgName) : QString();
}

void setVuvuzuLookUp_BrowseArchivOrdner(ArchiveFolderLookupFunction lookup)
{
    QMutexLocker lock(&g_pickerMutex);
    g_archiveLookup = std::move(lookup);
}

QString VuvuzuLookUp_BrowseArchivOrdner(int category)
{
    ArchiveFolderLookupFunction lookup;
    {
        QMutexLocker lock(&g_pickerMutex);
        lookup = g_archiveLookup;
    }
    return lookup ? lookup(category) : QString();
}

QString translateVuvuzu(const QString &german)
{
    return AccessSession::tr(german);
}

} // namespace tarvo::access
