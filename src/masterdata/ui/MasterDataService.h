#pragma once

#include "core/services/MasterDataStandIn.h"

#include <functional>

namespace tarvo::masterdata {

// The master-data subsystem as the core calls it. Each area's windows are started from its own
// file (customers/, programs/, releasenotes/, options/); what an area has not built yet is still
// the stand-in's.
class MasterDataService final : public core::MasterDataStandIn {
  public:
    // paths: the path dialog (the ui library's Paths), run modally.
    explicit MasterDataService(std::function<void(int mode)> paths);

    void paths(int mode) override;
    // Runs the access library's administration with this subsystem's program picker bound, and
    // refills the user list, which the administration may have changed.
    void accessAdministration(int contextNumber) override;

    // Customers.
    void browseCustomer() override;
    int pickCustomer(int contextNumber) override;
    // Programs, releases, program files, web links and the access system's program picker.
    QString programSelect(int request, const QString &value) override;
    void updatePrograms(int contextNumber, FormDone done) override;
    void updateProgramRelease(int contextNumber, FormDone done) override;
    void updateProgramFiles(int contextNumber, FormDone done) override;
    void updateWebLinks(int contextNumber, qint32 programId, FormDone done) override;
    // Release notes.
    void browseReleaseNotes() override;
    // Options.
    void options() override;

  private:
    std::function<void(int)> m_paths;
};

} // namespace tarvo::masterdata
