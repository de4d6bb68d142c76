#pragma once

#include "core/services/MasterDataStandIn.h"

#include <functional>

namespace tarvo::masterdata {

// The master-data subsystem as the core calls it. The path dialog is real; every other window
// is still the stand-in's.
class MasterDataService final : public core::MasterDataStandIn {
  public:
    // paths: the path dialog (the ui library's Paths), run modally.
    explicit MasterDataService(std::function<void(int mode)> paths);

    void paths(int mode) override;

  private:
    std::function<void(int)> m_paths;
};

} // namespace tarvo::masterdata
