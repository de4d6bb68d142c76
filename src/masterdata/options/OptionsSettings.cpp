#include "masterdata/options/OptionsSettings.h"

#include "core/startup/SettingsRecord.h"
#include "platform/data/FileManager.h"
#include "platform/data/Session.h"
#include "platform/data/Transaction.h"
#include "platform/data/View.h"

namespace tarvo::masterdata {

namespace {

constexpr int SmtpType = 2;

Result<void> writeSettings(data::Session &session, const data::Record &values)
{
    data::FileManager *file = session.file(QStringLiteral("Parameter"));
    if (!file)
        return makeError(2, QStringLiteral("The settings file is not declared"));
    if (auto opened = file->open(); !opened)
        return opened;
    auto conn = file->connection();
    if (!conn)
        return conn.error();
    data::Transaction transaction(**conn);
    if (!transaction.started())
        return transaction.started();
    // The settings are the first record in file order, whatever row the copy came from.
    data::View view(*file, std::vector<data::KeyComponent>{});
    auto first = view.first();
    if (!first)
        return first.error();
    data::Record stored = first->has_value() ? **first : file->newRecord();
    const int fields = std::min(stored.layout().fieldCount(), values.layout().fieldCount());
    for (int i = 0; i < fields; ++i)
        stored.setValue(i, values.value(i));
    if (auto written = stored.rowId() != 0 ? file->update(stored) : file->insert(stored); !written)
        return written;
    return transaction.commit();
}

} // namespace

OptionsSettings::OptionsSettings(core::SettingsValues values, SecretStore secrets)
    : m_values(std::move(values)), m_secrets(std::move(secrets))
{
}

Result<void> OptionsSettings::setSmtpPassword(const QString &plain, bool remember)
{
    if (!remember || plain.isEmpty()) {
        m_values.setEmailAuthPassword(QString());
        return {};
    }
    auto sealed = m_secrets.seal(plain);
    if (!sealed)
        return sealed.error();
    m_values.setEmailAuthPassword(*sealed);
    if (m_values.emailAuthPassword() != *sealed) {
        m_values.setEmailAuthPassword(QString());
        return makeError(1, QStringLiteral("The encrypted password does not fit into the settings."));
    }
    return {};
}

Result<QString> OptionsSettings::smtpPassword(const core::SettingsValues &values, const SecretStore &secrets)
{
    const QString stored = values.emailAuthPassword();
    if (stored.isEmpty())
        return QString();
    return secrets.open(stored);
}

OptionsSettings::Missing OptionsSettings::missing() const
{
    if (m_values.emailType() != SmtpType)
        return Missing::Nothing;
    if (m_values.emailServer().isEmpty())
        return Missing::SmtpServer;
    if (m_values.emailServerPort() == 0)
        return Missing::SmtpPort;
    return Missing::Nothing;
}

Result<void> OptionsSettings::publish(data::Session &session) const
{
    return core::SettingsRecord::instance().publish(
        m_values.record(), [&](const data::Record &record) { return writeSettings(session, record); });
}

} // namespace tarvo::masterdata
