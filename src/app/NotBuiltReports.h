#pragma once

#include "core/services/ReportServices.h"

namespace tarvo::app {

// The report subsystem until it is built: the report list says so and prints nothing.
class NotBuiltReports final : public core::ReportServices {
  public:
    void browseReports(int contextNumber, int reportType, const data::View *view,
                       const QString &queryDescription) override;
};

} // namespace tarvo::app
