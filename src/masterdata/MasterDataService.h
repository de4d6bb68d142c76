#pragma once

#include "core/services/MasterDataServices.h"

#include <functional>

namespace tarvo::masterdata {

// The master-data subsystem as the core calls it. The path dialog is real; every other window
// says plainly that it is not built yet and changes nothing.
class MasterDataService final : public core::MasterDataServices {
  public:
    // paths: the path dialog (the ui library's Paths), run modally.
    explicit MasterDataService(std::function<void(int mode)> paths);

    void paths(int mode) override;
    void options() override;
    void browseCustomer() override;
    int pickCustomer(int contextNumber) override;
    void browseReleaseNotes() override;
    void accessAdministration(int contextNumber) override;
    QString programSelect(int request, const QString &value) override;
    void updatePrograms(int contextNumber) override;
    void updateProgramRelease(int contextNumber) override;
    void updateProgramFiles(int contextNumber) override;
    void updateWebLinks(int contextNumber, qint32 programId) override;

    // The message of a window that is not built yet.
    static QString notBuiltText(const QString &window);

  private:
    std::function<void(int)> m_paths;
};

} // namespace tarvo::masterdata
