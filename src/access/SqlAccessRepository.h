#pragma once

#include "access/AccessRepository.h"
#include "access/SqlRecordMapping.h"

#include <QSqlDatabase>
#include <QVariantList>

namespace tarvo::access {

// The access tables in an SQLite file ("Vuvuzu.db") through Qt Sql, one connection per thread.
// Statements are parameterised; writes of several rows run in one transaction.
class SqlAccessRepository final : public AccessRepository {
  public:
    explicit SqlAccessRepository(QString databaseFile);
    ~SqlAccessRepository() override;

    QString location() const override { return m_path; }
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

    Result<std::vector<QString>> programLimits(const QString &code) override;
    Result<void> addProgramLimit(const QString &code, const QString &prgName) override;
    Result<void> removeProgramLimit(const QString &code, const QString &prgName) override;

  private:
    // The calling thread's connection, opened on first use.
    Result<QSqlDatabase> connection() const;
    // Runs a statement; returns the number of rows it changed.
    Result<int> exec(const QString &sql, const QVariantList &binds) const;

    template <class R>
    Result<std::vector<R>> select(const char *label, const std::vector<SqlColumn<R>> &columns,
                                  const QString &where, const QVariantList &binds,
                                  const QString &order) const;
    template <class R>
    Result<int> write(const char *label, const std::vector<SqlColumn<R>> &columns, const R &record,
                      const QString &where = {}, const QVariantList &whereBinds = {},
                      bool ignoreDuplicate = false);

    QString m_path;
    int m_instance;
};

} // namespace tarvo::access
