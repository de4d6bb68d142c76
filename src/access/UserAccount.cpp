#include "access/UserAccount.h"

#include "access/AccessSession.h"
#include "access/DayClock.h"
#include "access/KeyText.h"
#include "access/PasswordChanger.h"
#include "access/PasswordHash.h"
#include "access/PasswordHistory.h"
#include "access/UserCodeRules.h"
#include "platform/runtime/Text.h"

#include <algorithm>

namespace tarvo::access {

namespace {

bool sameCode(const QString &a, const QString &b)
{
    return KeyText::fold(a) == KeyText::fold(b);
}

void sortLimits(QStringList &limits)
{
    std::sort(limits.begin(), limits.end(),
              [](const QString &a, const QString &b) { return KeyText::fold(a) < KeyText::fold(b); });
}

} // namespace

UserAccount UserAccount::fresh()
{
    UserAccount account;
    account.user.seit = DayClock::today();
    account.user.anrede = AccessSession::tr(QStringLiteral("Herr"));
    return account;
}

Result<UserAccount> UserAccount::load(AccessRepository &repository, const QString &code)
{
    auto stored = repository.user(code);
    if (!stored)
        return stored.error();
    if (!stored->has_value())
        return makeError(35, QStringLiteral("Record not found"));
    UserAccount account;
    account.user = **stored;
    account.m_storedCode = account.user.mak;
    auto grants = repository.grants(account.m_storedCode);
    if (!grants)
        return grants.error();
    account.m_grants.insert(grants->begin(), grants->end());
    auto limits = repository.programLimits(account.m_storedCode);
    if (!limits)
        return limits.error();
    for (const QString &limit : *limits)
        account.m_limits << limit;
    sortLimits(account.m_limits);
    auto history = repository.passwordHistory(account.m_storedCode);
    if (!history)
        return history.error();
    account.m_history = std::move(*history);
    return account;
}

void UserAccount::setGranted(qint32 resourceId, bool granted)
{
    if (granted)
        m_grants.insert(resourceId);
    else
        m_grants.erase(resourceId);
}

void UserAccount::grantAll(const std::vector<ResourceRecord> &catalogue)
{
    for (const auto &resource : catalogue)
        m_grants.insert(resource.resourceId);
}

Result<void> UserAccount::copyRightsFrom(AccessRepository &repository, const QString &code)
{
    const QString other = Text::clip(code);
    if (other.isEmpty() || sameCode(other, user.mak) || (!isNew() && sameCode(other, m_storedCode)))
        return {};
    auto grants = repository.grants(other);
    if (!grants)
        return grants.error();
    m_grants = std::set<qint32>(grants->begin(), grants->end());
    return {};
}

bool UserAccount::addProgramLimit(const QString &prgName)
{
    for (const QString &limit : std::as_const(m_limits))
        if (KeyText::fold(limit) == KeyText::fold(prgName))
            return false;
    m_limits << prgName;
    sortLimits(m_limits);
    return true;
}

void UserAccount::removeProgramLimit(const QString &prgName)
{
    m_limits.removeAll(prgName);
}

void UserAccount::replaceProgramLimit(const QString &old, const QString &prgName)
{
    const qsizetype at = m_limits.indexOf(old);
    if (at < 0)
        return;
    m_limits.removeAt(at);
    if (!addProgramLimit(prgName))
        m_limits.insert(at, old);
}

Result<void> UserAccount::check(AccessRepository &repository, const OptionsRecord &options) const
{
    if (!UserCodeRules::isAcceptable(user.mak))
        return makeError(BadCode, QStringLiteral("Dieser MAK ist nicht zulässig.|Ein MAK darf weder \"/\", "
                                                 "\"\\\" noch \"..\" enthalten und muss als Dateiname "
                                                 "gültig sein."));
    if (isNew() || !sameCode(user.mak, m_storedCode)) {
        auto existing = repository.user(user.mak);
        if (!existing)
            return existing.error();
        if (existing->has_value() || sameCode(user.mak, Text::clip(options.masterMak)))
            return makeError(CodeTaken, QStringLiteral("Dieser MAK ist bereits vergeben."));
    }
    if (!changesPassword())
        return {};
    const QString password = clippedPassword(m_newPassword);
    if (password.size() < options.minPasswordLen)
        return makeError(
            PasswordTooShort,
            QStringLiteral("Die minimale Passwort-Länge beträgt %1 Zeichen.").arg(options.minPasswordLen));
    if (options.noPassword > 0 && !isNew()) {
        auto used = PasswordHistory::usedBefore(repository, m_storedCode, password);
        if (!used)
            return used.error();
        if (*used)
            return makeError(PasswordUsed,
                             QStringLiteral("Ihr gewünschtes Passwort haben Sie bereits verwendet!|"
                                            "Bitte wählen Sie ein anderes."));
    }
    return {};
}

Result<void> UserAccount::save(AccessRepository &repository, const OptionsRecord &options)
{
    user.mak = Text::clip(user.mak);
    if (auto checked = check(repository, options); !checked)
        return checked;
    UserRecord record = user;
    if (changesPassword()) {
        auto hash = PasswordHash::hash(clippedPassword(m_newPassword));
        if (!hash)
            return hash.error();
        record.passwort = *hash;
    }
    auto written = repository.transaction([&]() -> Result<void> {
        if (isNew()) {
            if (auto inserted = repository.insertUser(record); !inserted)
                return inserted;
        } else if (auto updated = repository.updateUser(m_storedCode, record); !updated) {
            return updated;
        }
        if (changesPassword())
            if (auto recorded = PasswordHistory::record(repository, record.mak,
                                                        clippedPassword(m_newPassword), options.noPassword);
                !recorded)
                return recorded;
        return write(repository);
    });
    if (!written)
        return written;
    user = record;
    m_storedCode = record.mak;
    m_newPassword.clear();
    if (auto history = repository.passwordHistory(m_storedCode))
        m_history = std::move(*history);
    return {};
}

Result<void> UserAccount::write(AccessRepository &repository)
{
    const QString code = user.mak;
    auto stored = repository.grants(code);
    if (!stored)
        return stored.error();
    const std::set<qint32> before(stored->begin(), stored->end());
    for (qint32 id : before)
        if (!m_grants.count(id))
            if (auto revoked = repository.revoke(code, id); !revoked)
                return revoked;
    for (qint32 id : m_grants)
        if (!before.count(id))
            if (auto granted = repository.grant(code, id); !granted)
                return granted;
    auto limits = repository.programLimits(code);
    if (!limits)
        return limits.error();
    for (const QString &limit : *limits)
        if (!m_limits.contains(limit))
            if (auto removed = repository.removeProgramLimit(code, limit); !removed)
                return removed;
    for (const QString &limit : std::as_const(m_limits))
        if (std::find(limits->begin(), limits->end(), limit) == limits->end())
            if (auto added = repository.addProgramLimit(code, limit); !added)
                return added;
    return {};
}

Result<void> UserAccount::remove(AccessRepository &repository)
{
    if (isNew())
        return {};
    return repository.deleteUser(m_storedCode);
}

} // namespace tarvo::access
