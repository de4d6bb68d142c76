#pragma once

#include "core/services/AccessServices.h"
#include "core/startup/SettingsFile.h"

#include <QHash>
#include <QStringList>

namespace tarvo::core::test {

// The access library as the start-up sees it, writing each call into a shared log.
class FakeAccess final : public AccessServices {
  public:
    explicit FakeAccess(QStringList &log) : m_log(log) {}
    bool loginAnswer = true;
    QString loginLanguage;
    QString loginInformation;

    bool login(const QString &securityFile, const QString &language, const QString &information) override
    {
        m_log << QStringLiteral("login ") + securityFile;
        loginLanguage = language;
        loginInformation = information;
        return loginAnswer;
    }
    bool checkControl(const QString &) override { return true; }
    QString getValue(const QString &, const QString &) override { return {}; }
    void changePassword(const QString &, bool) override {}
    QString browseUsers(const QString &userCode) override { return userCode; }
    void useFiles(int) override {}
    void administration() override {}
    void repairDataFiles() override {}
    QString mak() const override { return {}; }
    QString makOrdner() const override { return {}; }
    qint32 farbe() const override { return m_farbe; }
    void setFarbe(qint32 colour) override
    {
        m_log << QStringLiteral("FARBE ") + QString::number(colour);
        m_farbe = colour;
    }
    QString pfad() const override { return m_pfad; }
    void setPfad(const QString &folder) override
    {
        m_log << QStringLiteral("PFAD");
        m_pfad = folder;
    }
    QString computerName() const override { return {}; }

  private:
    QStringList &m_log;
    qint32 m_farbe = 0;
    QString m_pfad;
};

// A settings file whose answers the test sets; it logs each call.
class FakeSettings final : public SettingsFile {
  public:
    explicit FakeSettings(QStringList &log) : m_log(log) {}
    std::vector<Result<void>> openAnswers; // one per open(), in order; ok when run out
    Result<void> createAnswer;
    Result<bool> readAnswer = true;
    Result<void> addAnswer;
    Result<void> closeAnswer;
    QHash<QString, QString> fields{{QStringLiteral("Language"), QStringLiteral("English")},
                                   {QStringLiteral("COLOR"), QStringLiteral("10485760")}};

    Result<void> open() override
    {
        m_log << QStringLiteral("settings.open");
        if (m_opens >= openAnswers.size())
            return {};
        return openAnswers[m_opens++];
    }
    Result<void> create() override
    {
        m_log << QStringLiteral("settings.create");
        return createAnswer;
    }
    Result<bool> readFirst() override
    {
        m_log << QStringLiteral("settings.read");
        return readAnswer;
    }
    Result<void> addDefaults() override
    {
        m_log << QStringLiteral("settings.add");
        return addAnswer;
    }
    Result<void> close() override
    {
        m_log << QStringLiteral("settings.close");
        return closeAnswer;
    }
    QString name() const override { return QStringLiteral("/data/Tarvo.db (table Parameter)"); }
    QString text(const QString &field) const override { return fields.value(field); }

  private:
    QStringList &m_log;
    size_t m_opens = 0;
};

} // namespace tarvo::core::test
