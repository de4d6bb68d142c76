#pragma once

#include "access/AccessRecords.h"
#include "platform/runtime/Result.h"

#include <functional>
#include <optional>
#include <vector>

namespace tarvo::access {

// All storage of the access library goes through this interface, so that the store behind it
// can be exchanged. User codes are compared without regard to case (non-ASCII letters too).
// Implementations are safe to use from any thread; each thread gets its own connection.
class AccessRepository {
  public:
    virtual ~AccessRepository() = default;

    // Where the store lives, for messages.
    virtual QString location() const = 0;
    virtual bool exists() const = 0;
    // Creates the empty tables (and records their layout versions).
    virtual Result<void> create() = 0;
    // Runs work in one transaction of the calling thread: all of it is kept, or none.
    virtual Result<void> transaction(const std::function<Result<void>()> &work) = 0;

    virtual Result<std::optional<OptionsRecord>> options() = 0;
    virtual Result<void> saveOptions(const OptionsRecord &options) = 0; // insert or update ID 1

    virtual Result<std::optional<UserRecord>> user(const QString &code) = 0;
    virtual Result<std::vector<UserRecord>> users() = 0; // in code order
    virtual Result<void> insertUser(const UserRecord &user) = 0;
    // Saves the user stored under storedCode; a changed code is carried into the user's rights,
    // program limits and password history.
    virtual Result<void> updateUser(const QString &storedCode, const UserRecord &user) = 0;
    virtual Result<void> deleteUser(const QString &code) = 0; // with the user's dependent rows
    // Counts a failed login in one atomic step, so that logins running at once each count, and
    // deactivates the account once the count reaches lockAfter (0: never). Empty when there is
    // no such user.
    virtual Result<std::optional<FailedLogin>> countFailedLogin(const QString &code, qint32 lockAfter) = 0;
    // A good login: clears the failed count and, when given, sets the password's new expiry,
    // writing only those columns and only while the account is active. False when it is not
    // (deactivated or deleted since the login read it).
    virtual Result<bool> recordGoodLogin(const QString &code, std::optional<qint32> passwordExpiry) = 0;
    // Sets the user's password hash, writing that column alone; code 35 when there is no such user.
    virtual Result<void> setPassword(const QString &code, const QString &hash) = 0;

    virtual Result<std::vector<PasswordRecord>> passwordHistory(const QString &code) = 0; // newest first
    virtual Result<void> addPasswordHistory(const PasswordRecord &entry) = 0;
    virtual Result<void> removePasswordHistory(const PasswordRecord &entry) = 0;

    virtual Result<std::vector<ProcRecord>> procs() = 0;                       // in name order
    virtual Result<void> saveProc(const ProcRecord &proc) = 0;                 // insert, or update by name
    virtual Result<void> deleteProc(const QString &proc) = 0;                  // the row only, no cascade
    virtual Result<std::vector<ResourceRecord>> resources() = 0;               // in number order
    virtual Result<qint32> insertResource(const ResourceRecord &resource) = 0; // returns its number
    virtual Result<void> updateResource(const ResourceRecord &resource) = 0;
    virtual Result<void> deleteResource(qint32 resourceId) = 0; // the row only, no cascade

    virtual Result<std::vector<qint32>> grants(const QString &code) = 0;
    virtual Result<void> grant(const QString &code, qint32 resourceId) = 0; // a second grant stays one row
    virtual Result<void> revoke(const QString &code, qint32 resourceId) = 0;

    virtual Result<void> addLogin(const LoginRecord &login) = 0;
    virtual Result<std::vector<LoginRecord>> logins() = 0; // by code, newest first
    // Deletes one row of the login log with that code, date and time.
    virtual Result<void> removeLogin(const LoginRecord &login) = 0;

    virtual Result<std::vector<QString>> programLimits(const QString &code) = 0;
    virtual Result<void> addProgramLimit(const QString &code, const QString &prgName) = 0;
    virtual Result<void> removeProgramLimit(const QString &code, const QString &prgName) = 0;
};

} // namespace tarvo::access
