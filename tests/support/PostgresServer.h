#pragma once

#include <QString>

namespace tarvo::test {

// The private PostgreSQL server of this test run, started by tests/peers/postgres-server.sh on
// first use and stopped when the test program ends.
class PostgresServer final {
  public:
    static PostgresServer &instance();

    // False (with the reason) when the PostgreSQL binaries are missing or the server failed.
    bool available();
    const QString &reason() const { return m_reason; }
    int port() const { return m_port; }
    QString database() const { return QStringLiteral("tarvo_test"); }
    // Writes a Database.ini pointing at this server into the folder.
    void writeDatabaseIni(const QString &folder) const;
    // Drops a schema and everything in it, so each test starts from an empty store.
    bool dropSchema(const QString &schema) const;
    void stop();

  private:
    PostgresServer() = default;
    bool m_tried = false;
    int m_port = 0;
    QString m_dir;
    QString m_reason;
};

} // namespace tarvo::test
