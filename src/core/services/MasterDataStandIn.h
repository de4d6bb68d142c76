#pragma once

#include "core/services/MasterDataServices.h"

namespace tarvo::core {

// The master data while they are not built: every window says so, changes nothing and answers
// as if the user had cancelled. The subsystem derives from it for the windows it has built.
class MasterDataStandIn : public MasterDataServices {
  public:
    void paths(int mode) override;
    void options() override;
    void browseCustomer() override;
    int pickCustomer(int contextNumber) override;
    void browseReleaseNotes() override;
    void accessAdministration(int contextNumber) override;
    QString programSelect(int request, const QString &value) override;
    void updatePrograms(int contextNumber, FormDone done) override;
    void updateProgramRelease(int contextNumber, FormDone done) override;
    void updateProgramFiles(int contextNumber, FormDone done) override;
    void updateWebLinks(int contextNumber, qint32 programId, FormDone done) override;
};

} // namespace tarvo::core
