#include "access/PasswordChanger.h"

#include "access/AccessMessages.h"
#include "access/AccessSession.h"
#include "access/DayClock.h"
#include "access/PasswordHash.h"
#include "access/PasswordHistory.h"
#include "platform/runtime/Text.h"

namespace tarvo::access {

QString clippedPassword(const QString &typed)
{
    return Text::clip(typed);
}

PasswordChanger::PasswordChanger(QString userCode, bool master)
    : m_code(std::move(userCode)), m_master(master)
{
}

PasswordChanger::Outcome PasswordChanger::refuse(Field focus, bool clearNew)
{
    m_focus = focus;
    m_clearNew = clearNew;
    return Outcome::Refused;
}

bool PasswordChanger::mayChange()
{
    if (m_master)
        return true;
    auto user = AccessSession::repository()->user(m_code);
    if (user && user->has_value() && (*user)->passwortAendern)
        return true;
    AccessMessages::refuse({QStringLiteral("Sie besitzen nicht die Berechtigung Ihr Passwort zu ändern!")});
    return false;
}

PasswordChanger::Outcome PasswordChanger::change(const QString &oldPassword, const QString &newPassword,
                                                 const std::function<QString()> &verifyAgain)
{
    m_focus = Field::None;
    m_clearNew = false;
    auto repository = AccessSession::repository();
    const QString oldTyped = clippedPassword(oldPassword);
    const QString newTyped = clippedPassword(newPassword);

    QString storedHash;
    if (m_master) {
        auto options = repository->options();
        storedHash = options && options->has_value() ? (*options)->masterPassword : QString();
    } else {
        auto user = repository->user(m_code);
        storedHash = user && user->has_value() ? (*user)->passwort : QString();
    }
    if (!PasswordHash::verify(storedHash, oldTyped)) {
        AccessMessages::refuse({QStringLiteral("Ihr altes Passwort ist falsch!")});
        return refuse(Field::OldPassword, false);
    }
    const auto options = AccessSession::state().options;
    if (newTyped.size() < options.minPasswordLen) {
        AccessMessages::notice({QStringLiteral("Die minimale Passwort-Länge beträgt"), QStringLiteral(" "),
                                QString::number(options.minPasswordLen), QStringLiteral(" "),
                                QStringLiteral("Zeichen.")});
        return refuse(Field::NewPassword, false);
    }
    if (clippedPassword(verifyAgain ? verifyAgain() : QString()) != newTyped) {
        AccessMessages::inform({QStringLiteral("Passwort wurde nicht geändert!")});
        return refuse(Field::NewPassword, true);
    }
    return m_master ? changeMaster(newTyped) : changeUser(newTyped);
}

PasswordChanger::Outcome PasswordChanger::changeUser(const QString &newPassword)
{
    auto repository = AccessSession::repository();
    const int keep = AccessSession::state().options.noPassword;
    if (keep > 0 && !newPassword.isEmpty()) {
        auto used = PasswordHistory::usedBefore(*repository, m_code, newPassword);
        if (!used) {
            AccessMessages::error(used.error().message);
            return refuse(Field::NewPassword, false);
        }
        if (*used) {
            AccessMessages::refuse(
                {QStringLiteral("Ihr gewünschtes Passwort haben Sie bereits verwendet!|Bitte "
                                "wählen Sie ein anderes.")});
            return refuse(Field::NewPassword, true);
        }
    }
    auto hash = PasswordHash::hash(newPassword);
    Result<void> saved = hash ? Result<void>() : Result<void>(hash.error());
    if (saved) {
        saved = repository->transaction([&]() -> Result<void> {
            auto user = repository->user(m_code);
            if (!user)
                return user.error();
            if (!user->has_value())
                return makeError(35, QStringLiteral("Record not found"));
            const UserRecord &record = **user;
            if (!newPassword.isEmpty())
                if (auto recorded = PasswordHistory::record(*repository, record.mak, newPassword, keep);
                    !recorded)
                    return recorded;
            // The password alone is written, so that what an administrator changed in the user
            // meanwhile stays.
            return repository->setPassword(m_code, *hash);
        });
    }
    if (!saved) {
        AccessMessages::error(saved.error().message);
        return refuse(Field::NewPassword, false);
    }
    AccessMessages::notice({QStringLiteral("Ihr Passwort wurde geändert.")});
    return Outcome::Changed;
}

PasswordChanger::Outcome PasswordChanger::changeMaster(const QString &newPassword)
{
    auto repository = AccessSession::repository();
    auto hash = PasswordHash::hash(newPassword);
    Result<void> saved = hash ? Result<void>() : Result<void>(hash.error());
    OptionsRecord options;
    if (saved) {
        auto current = repository->options();
        if (!current)
            saved = current.error();
        else {
            options = current->value_or(AccessSession::state().options);
            options.masterPassword = *hash;
            options.masterAbgelaufen = 0;
            options.masterChangeDate = DayClock::today();
            options.masterChangeTime = DayClock::now();
            options.masterChangeMak = AccessSession::state().mak;
            saved = repository->saveOptions(options);
        }
    }
    if (!saved) {
        AccessMessages::error(saved.error().message);
        return refuse(Field::NewPassword, false);
    }
    AccessSession::change([&](SessionState &s) { s.options = options; });
    AccessMessages::notice({QStringLiteral("Ihr Passwort wurde geändert.")});
    return Outcome::Changed;
}

} // namespace tarvo::access
