#pragma once

namespace tarvo::core {

class AccessServices;
class IssueServices;
class MasterDataServices;
class MailServices;
class RefreshNotices;
class ReportServices;

// The services of the neighbouring subsystems, registered by the application at start-up
// (tests register fakes). A lower subsystem reaches a higher one only through these. A subsystem
// that is not registered is answered by its stand-in, which says that the function is not
// available yet; so none of these is ever null except the refresh notices.
class Services final {
  public:
    static AccessServices *access();
    static void setAccess(AccessServices *services);
    static MasterDataServices *masterData();
    static void setMasterData(MasterDataServices *services);
    static MailServices *mail();
    static void setMail(MailServices *services);
    static RefreshNotices *refreshNotices();
    static void setRefreshNotices(RefreshNotices *notices);
    static IssueServices *issues();
    static void setIssues(IssueServices *services);
    static ReportServices *reports();
    static void setReports(ReportServices *services);
};

} // namespace tarvo::core
