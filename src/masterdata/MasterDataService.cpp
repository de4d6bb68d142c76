#include "masterdata/MasterDataService.h"

#include "platform/runtime/Messages.h"
#include "platform/runtime/ProgramInfo.h"

namespace tarvo::masterdata {

namespace {

void notBuilt(const QString &window)
{
    Messages::show(MasterDataService::notBuiltText(window), ProgramInfo::productName(),
                   MessageIcon::Information);
}

} // namespace

MasterDataService::MasterDataService(std::function<void(int mode)> paths) : m_paths(std::move(paths)) {}

QString MasterDataService::notBuiltText(const QString &window)
{
    return QStringLiteral("The window \"%1\" is not built yet: it comes with the master data.").arg(window);
}

void MasterDataService::paths(int mode)
{
    if (m_paths)
        m_paths(mode);
    else
        notBuilt(QStringLiteral("Path"));
}

void MasterDataService::options()
{
    notBuilt(QStringLiteral("Options"));
}
void MasterDataService::browseCustomer()
{
    notBuilt(QStringLiteral("Customers"));
}

int MasterDataService::pickCustomer(int contextNumber)
{
    Q_UNUSED(contextNumber);
    notBuilt(QStringLiteral("Customers"));
    return 0;
}

void MasterDataService::browseReleaseNotes()
{
    notBuilt(QStringLiteral("Release Notes"));
}

void MasterDataService::accessAdministration(int contextNumber)
{
    Q_UNUSED(contextNumber);
    notBuilt(QStringLiteral("Security System"));
}

QString MasterDataService::programSelect(int request, const QString &value)
{
    Q_UNUSED(request);
    Q_UNUSED(value);
    notBuilt(QStringLiteral("Programs"));
    return {};
}

void MasterDataService::updatePrograms(int contextNumber)
{
    Q_UNUSED(contextNumber);
    notBuilt(QStringLiteral("Programs"));
}

void MasterDataService::updateProgramRelease(int contextNumber)
{
    Q_UNUSED(contextNumber);
    notBuilt(QStringLiteral("Releases"));
}

void MasterDataService::updateProgramFiles(int contextNumber)
{
    Q_UNUSED(contextNumber);
    notBuilt(QStringLiteral("Programfiles"));
}

void MasterDataService::updateWebLinks(int contextNumber, qint32 programId)
{
    Q_UNUSED(contextNumber);
    Q_UNUSED(programId);
    notBuilt(QStringLiteral("Web Links"));
}

} // namespace tarvo::masterdata
