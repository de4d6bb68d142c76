#pragma once

#include "access/AccessRepository.h"

#include <QString>
#include <QVariant>
#include <QVariantList>

#include <memory>

namespace tarvo::data {
class FileManager;
class Record;
class Session;
} // namespace tarvo::data

namespace tarvo::access {

class StoreSessions;

// The access tables on the data layer: "Vuvuzu.db" in the data folder, or the schema "vuvuzu" on
// the server that the folder's "Database.ini" names. Keys, insert defaults, relations and layout
// versions come from the declaration in AccessTables; renames and deletions of users and
// procedures reach the dependent rows only through the relation managers.
class DataLayerAccessRepository final : public AccessRepository {
  public:
    // `databaseFile` is "<data folder>/Vuvuzu.db"; its folder decides the store.
    explicit DataLayerAccessRepository(QString databaseFile);
    ~DataLayerAccessRepository() override;

    QString location() const override { return m_file; }
    bool exists() const override;
    Result<void> create() override;
    Result<void> transaction(const std::function<Result<void>()> &work) override;

    Result<std::optional<OptionsRecord>> options() override;
    Result<void> saveOptions(const OptionsRecord &options) override;

    Result<std::optional<UserRecord>> user(const QString &code) override;
    Result<std::vector<UserRecord>> users() override;
    Result<void> insertUser(const UserRecord &user) override;
    Result<void> updateUser(const QString &storedCode, const UserRecord &user) override;
    Result<void> deleteUser(const QString &code) override;
    Result<std::optional<FailedLogin>> countFailedLogin(const QString &code, qint32 lockAfter) override;
    Result<bool> recordGoodLogin(const QString &code, std::optional<qint32> passwordExpiry) override;
    Result<void> setPassword(const QString &code, const QString &hash) override;

    Result<std::vector<PasswordRecord>> passwordHistory(const QString &code) override;
    Result<void> addPasswordHistory(const PasswordRecord &entry) override;
    Result<void> removePasswordHistory(const PasswordRecord &entry) override;

    Result<std::vector<ProcRecord>> procs() override;
    Result<void> saveProc(const ProcRecord &proc) override;
    Result<void> deleteProc(const QString &proc) override;
    Result<std::vector<ResourceRecord>> resources() override;
    Result<qint32> insertResource(const ResourceRecord &resource) override;
    Result<void> updateResource(const ResourceRecord &resource) override;
    Result<void> deleteResource(qint32 resourceId) override;

    Result<std::vector<qint32>> grants(const QString &code) override;
    Result<void> grant(const QString &code, qint32 resourceId) override;
    Result<void> revoke(const QString &code, qint32 resourceId) override;

    Result<void> addLogin(const LoginRecord &login) override;
    Result<std::vector<LoginRecord>> logins() override;
    Result<void> removeLogin(const LoginRecord &login) override;

    Result<std::vector<QString>> programLimits(const QString &code) override;
    Result<void> addProgramLimit(const QString &code, const QString &prgName) override;
    Result<void> removeProgramLimit(const QString &code, const QString &prgName) override;

    // Threads holding a session of this store now (for tests of the thread hand-over).
    int threadSessions() const;

  private:
    Result<data::Session *> session() const;
    // The calling thread's file manager of a table, opened (created or converted on first use).
    Result<data::FileManager *> file(const char *label) const;
    // Reads the first record whose key components equal `values`; empty when there is none.
    Result<std::optional<data::Record>> find(const char *label, const char *key,
                                             const std::vector<std::pair<const char *, QVariant>> &values);
    // Deletes the first record whose key components equal `values` (the row only, no relation
    // rules); no such record is no error.
    Result<void> removeFound(const char *label, const char *key,
                             const std::vector<std::pair<const char *, QVariant>> &values);
    // All records of a table in a key's order, optionally only those whose leading key
    // components equal `equal`.
    Result<std::vector<data::Record>> readAll(const char *label, const char *key,
                                              const QVariantList &equal = {});
    // Runs an UPDATE of the user's row with the given code: `assignments` and `condition` are SQL
    // over the columns, `params` the values of their placeholders in order. Returns the rows
    // changed (0 or 1).
    Result<int> updateUserColumns(const QString &code, const QString &assignments, const QString &condition,
                                  const QVariantList &params);
    // The user code as the user's row stores it, so that dependent rows follow renames and
    // deletions of the user; the code as given when there is no such user.
    Result<QString> storedCode(const QString &code);

    QString m_file;
    std::shared_ptr<StoreSessions> m_sessions;
    Error m_openError;
};

} // namespace tarvo::access
