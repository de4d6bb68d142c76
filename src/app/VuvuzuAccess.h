#pragma once

#include "core/services/AccessServices.h"

namespace tarvo::app {

// The access library Vuvuzu as the core calls it.
class VuvuzuAccess final : public core::AccessServices {
  public:
    bool login(const QString &securityFile, const QString &language, const QString &information) override;
    bool checkControl(const QString &rightsKey) override;
    QString getValue(const QString &key, const QString &userCode) override;
    void changePassword(const QString &userCode, bool forced) override;
    QString browseUsers(const QString &userCode) override;
    void useFiles(int mode) override;
    void administration() override;
    void repairDataFiles() override;
    QString mak() const override;
    QString makOrdner() const override;
    qint32 farbe() const override;
    void setFarbe(qint32 colour) override;
    QString pfad() const override;
    void setPfad(const QString &folder) override;
    QString computerName() const override;

    // VUVUZU_UNLOAD: the library's unload, while the application object still lives.
    static void unload();
};

} // namespace tarvo::app
