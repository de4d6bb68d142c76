#pragma once

#include <QString>

namespace tarvo::data {
class View;
}

namespace tarvo::core {

// Report types: the values of PRN:TYPE and of the first argument of browseReports.
namespace ReportType {
constexpr int Issues = 1;
constexpr int Customers = 2;
constexpr int Programs = 3;
constexpr int NotificationRules = 4;
constexpr int AttachmentSheet = 5;
constexpr int CurrentIssueOnly = 11; // argument only: type 1 for the current issue
} // namespace ReportType

// What the application core and the issue tracking call of the report subsystem.
class ReportServices {
  public:
    virtual ~ReportServices() = default;
    // BrowseReports: the report definitions of one type, on the caller's context; the print
    // job reads the rows of the given view (may be null) and shows the query description.
    virtual void browseReports(int contextNumber, int reportType, const data::View *view,
                               const QString &queryDescription) = 0;
};

} // namespace tarvo::core
