#include "core/services/Services.h"

#include "core/services/AccessStandIn.h"
#include "core/services/IssueStandIn.h"
#include "core/services/MailStandIn.h"
#include "core/services/MasterDataStandIn.h"
#include "core/services/ReportStandIn.h"

namespace tarvo::core {

namespace {
AccessServices *g_access = nullptr;
MasterDataServices *g_masterData = nullptr;
MailServices *g_mail = nullptr;
RefreshNotices *g_refresh = nullptr;
ReportServices *g_reports = nullptr;
IssueServices *g_issues = nullptr;

// What answers while a subsystem is not registered.
template <class StandIn> StandIn *standIn()
{
    static StandIn service;
    return &service;
}
} // namespace

AccessServices *Services::access()
{
    return g_access ? g_access : standIn<AccessStandIn>();
}
void Services::setAccess(AccessServices *services)
{
    g_access = services;
}
MasterDataServices *Services::masterData()
{
    return g_masterData ? g_masterData : standIn<MasterDataStandIn>();
}
void Services::setMasterData(MasterDataServices *services)
{
    g_masterData = services;
}
MailServices *Services::mail()
{
    return g_mail ? g_mail : standIn<MailStandIn>();
}
void Services::setMail(MailServices *services)
{
    g_mail = services;
}
RefreshNotices *Services::refreshNotices()
{
    return g_refresh;
}
void Services::setRefreshNotices(RefreshNotices *notices)
{
    g_refresh = notices;
}
IssueServices *Services::issues()
{
    return g_issues ? g_issues : standIn<IssueStandIn>();
}
void Services::setIssues(IssueServices *services)
{
    g_issues = services;
}
ReportServices *Services::reports()
{
    return g_reports ? g_reports : standIn<ReportStandIn>();
}
void Services::setReports(ReportServices *services)
{
    g_reports = services;
}

} // namespace tarvo::core
