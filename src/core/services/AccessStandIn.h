#pragma once

#include "core/services/AccessServices.h"

namespace tarvo::core {

// The access library while none is loaded: nobody logs in and its windows say they are not
// available. Questions get neutral answers without a message, since code asks them unprompted.
class AccessStandIn : public AccessServices {
  public:
    bool login(const QString &securityFile, const QString &language, const QString &information) override;
    bool checkControl(const QString &rightsKey) override;
    QString getValue(const QString &key, const QString &userCode = {}) override;
    void changePassword(const QString &userCode, bool forced) override;
    QString browseUsers(const QString &userCode) override;
    void useFiles(int mode) override;
    void administration() override;
    void repairDataFiles() override;

    QString mak() const override { return {}; }
    QString makOrdner() const override { return {}; }
    qint32 farbe() const override { return m_farbe; }
    void setFarbe(qint32 colour) override { m_farbe = colour; }
    QString pfad() const override { return m_pfad; }
    void setPfad(const QString &folder) override { m_pfad = folder; }
    QString computerName() const override { return {}; }

  private:
    qint32 m_farbe = 0;
    QString m_pfad;
};

} // namespace tarvo::core
