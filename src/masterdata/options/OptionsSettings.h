#pragma once

#include "core/startup/SettingsValues.h"
#include "platform/runtime/Result.h"
#include "platform/secrets/SecretStore.h"

#include <QString>

namespace tarvo::data {
class Session;
}

namespace tarvo::masterdata {

// The settings as the Options window edits them: a copy of the shared record that no other
// window sees until OK writes it to the settings file and publishes it, both in one step.
class OptionsSettings final {
  public:
    // Why OK may not write yet.
    enum class Missing { Nothing, SmtpServer, SmtpPort };

    explicit OptionsSettings(core::SettingsValues values, SecretStore secrets = SecretStore());

    core::SettingsValues &values() { return m_values; }
    const core::SettingsValues &values() const { return m_values; }

    // The SMTP password: kept sealed when the user wants it remembered, otherwise not kept at all.
    Result<void> setSmtpPassword(const QString &plain, bool remember);
    bool smtpPasswordStored() const { return !m_values.emailAuthPassword().isEmpty(); }
    // The plain SMTP password of stored settings; empty when none is stored.
    static Result<QString> smtpPassword(const core::SettingsValues &values,
                                        const SecretStore &secrets = SecretStore());

    // SMTP needs a server and a port before anything is written.
    Missing missing() const;

    // Writes the record to the settings file in one transaction and, once it is stored, makes it
    // the shared record of the run.
    Result<void> publish(data::Session &session) const;

  private:
    core::SettingsValues m_values;
    SecretStore m_secrets;
};

} // namespace tarvo::masterdata
