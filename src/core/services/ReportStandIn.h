#pragma once

#include "core/services/ReportServices.h"

namespace tarvo::core {

// The report subsystem while it is not built: the report list says so and prints nothing.
class ReportStandIn : public ReportServices {
  public:
    void browseReports(int contextNumber, int reportType, const data::View *view,
                       const QString &queryDescription) override;
};

} // namespace tarvo::core
