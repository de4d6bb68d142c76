#pragma once

#include "core/services/AccessServices.h"

#include <QMap>
#include <QString>

namespace tarvo::test {

// An access library that answers getValue from a table and knows one logged-in user.
class FakeAccessServices final : public core::AccessServices {
  public:
    QMap<QString, QString> values;
    QString userCode = QStringLiteral("JDO");
    QString userFolder;
    QString chosenUser; // what the user picker chooses; nothing chosen when empty

    bool login(const QString &, const QString &, const QString &) override { return true; }
    bool checkControl(const QString &) override { return true; }
    QString getValue(const QString &key, const QString & = {}) override { return values.value(key); }
    void changePassword(const QString &, bool) override {}
    QString browseUsers(const QString &code) override { return chosenUser.isEmpty() ? code : chosenUser; }
    void useFiles(int) override {}
    void administration() override {}
    void repairDataFiles() override {}
    QString mak() const override { return userCode; }
    QString makOrdner() const override { return userFolder; }
    qint32 farbe() const override { return 0; }
    void setFarbe(qint32) override {}
    QString pfad() const override { return {}; }
    void setPfad(const QString &) override {}
    QString computerName() const override { return {}; }
};

} // namespace tarvo::test
