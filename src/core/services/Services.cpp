#include "core/services/Services.h"

namespace tarvo::core {

namespace {
AccessServices *g_access = nullptr;
MasterDataServices *g_masterData = nullptr;
MailServices *g_mail = nullptr;
RefreshNotices *g_refresh = nullptr;
ReportServices *g_reports = nullptr;
IssueServices *g_issues = nullptr;
} // namespace

AccessServices *Services::access()
{
    return g_access;
}
void Services::setAccess(AccessServices *services)
{
    g_access = services;
}
MasterDataServices *Services::masterData()
{
    return g_masterData;
}
void Services::setMasterData(MasterDataServices *services)
{
    g_masterData = services;
}
MailServices *Services::mail()
{
    return g_mail;
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
    return g_issues;
}
void Services::setIssues(IssueServices *services)
{
    g_issues = services;
}
ReportServices *Services::reports()
{
    return g_reports;
}
void Services::setReports(ReportServices *services)
{
    g_reports = services;
}

} // namespace tarvo::core
