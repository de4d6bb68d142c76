#pragma once

#include "core/services/MasterDataStandIn.h"

#include <functional>

namespace tarvo::masterdata {

// The master-data subsystem as the core calls it. The path dialog and the way into the access
// administration are real; every other window is still the stand-in's.
class MasterDataService final : public core::MasterDataStandIn {
  public:
    // paths: the path dialog (the ui library's Paths), run modally.
    explicit MasterDataService(std::function<void(int mode)> paths);

    void paths(int mode) override;
    // Runs the access library's administration with this subsystem's program picker bound, and
    // refills the user list, which the administration may have changed.
    void accessAdministration(int contextNumber) override;

  private:
    std::function<void(int)> m_paths;
};

} // namespace tarvo::masterdata
