#pragma once

#include "access/AccessRecords.h"
#include "access/AccessRepository.h"

#include <QStringList>

#include <set>
#include <vector>

namespace tarvo::access {

// What the user form edits: one user with its rights, program limits and a new password held in
// memory until OK, so that Cancel leaves nothing behind and a save writes the user, its rights,
// its limits and its password history in one transaction.
class UserAccount final {
  public:
    // Error codes of save(), with the German message pieces as the error's message ("|" breaks).
    static constexpr int BadCode = 1;
    static constexpr int CodeTaken = 2;
    static constexpr int PasswordTooShort = 3;
    static constexpr int PasswordUsed = 4;

    // A new user with the table's defaults: since today, salutation "Herr" (translated).
    static UserAccount fresh();
    // The stored user with this code, with its rights, limits and history.
    static Result<UserAccount> load(AccessRepository &repository, const QString &code);

    UserRecord user;

    bool isNew() const { return m_storedCode.isEmpty(); }
    const QString &storedCode() const { return m_storedCode; }

    // The password typed on the form: blank keeps the stored one. It is kept only until saved.
    void setNewPassword(const QString &password) { m_newPassword = password; }
    bool changesPassword() const { return !m_newPassword.isEmpty(); }

    const std::set<qint32> &grants() const { return m_grants; }
    bool isGranted(qint32 resourceId) const { return m_grants.count(resourceId) != 0; }
    void setGranted(qint32 resourceId, bool granted);
    void grantAll(const std::vector<ResourceRecord> &catalogue);
    void denyAll() { m_grants.clear(); }
    // Takes over the rights of the user with that code; the user's own code changes nothing.
    Result<void> copyRightsFrom(AccessRepository &repository, const QString &code);

    // The program limits ("<name>°<ID>") and blocked archive folders, in key order.
    const QStringList &programLimits() const { return m_limits; }
    // False when the user holds that row already (the key allows it once).
    bool addProgramLimit(const QString &prgName);
    void removeProgramLimit(const QString &prgName);
    void replaceProgramLimit(const QString &old, const QString &prgName);

    // Newest first, as stored when the form opened.
    const std::vector<PasswordRecord> &history() const { return m_history; }

    // Checks and writes everything in one transaction; on failure nothing is written.
    Result<void> save(AccessRepository &repository, const OptionsRecord &options);
    // Deletes the stored user with its dependent rows.
    Result<void> remove(AccessRepository &repository);

  private:
    Result<void> check(AccessRepository &repository, const OptionsRecord &options) const;
    Result<void> write(AccessRepository &repository);

    QString m_storedCode;
    QString m_newPassword;
    std::set<qint32> m_grants;
    QStringList m_limits;
    std::vector<PasswordRecord> m_history;
};

} // namespace tarvo::access
