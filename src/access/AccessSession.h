#pragma once

#include "access/AccessRecords.h"
#include "access/AccessRepository.h"

#include <QStringList>

#include <functional>
#include <memory>

namespace tarvo::access {

// What the login leaves behind about the logged-in user (blank after a master login).
struct UserValues final {
    QString anrede, name, zusatz, telefon, fax, email;
    qint32 userLong1 = 0, userLong2 = 0;
    std::array<qint32, 9> userByte{};
};

// The library's process-wide state: the exported variables, the user values and flags of the
// login, the options read at login and the store. Any thread may read it; a mutex guards it.
struct SessionState final {
    QString mak;
    QString makOrdner;
    qint32 farbe = 0x800000;
    QString pfad;
    QString computerName;
    UserValues user;
    bool isAdmin = false;
    bool masterLogin = false;
    bool adminExists = false;
    bool english = false;
    QString helpFile;
    QString securityFile;
    int charset = 0;
    OptionsRecord options;
    std::shared_ptr<AccessRepository> repository;
};

class AccessSession final {
  public:
    using RepositoryFactory = std::function<std::shared_ptr<AccessRepository>(const QString &databaseFile)>;

    static SessionState state();
    static void change(const std::function<void(SessionState &)> &edit);

    // The store in the data folder PFAD ("Vuvuzu.db"), made through the factory.
    static std::shared_ptr<AccessRepository> repository();
    static QString databaseFile(const QString &dataFolder);
    static void setRepositoryFactory(RepositoryFactory factory);

    // The library's translator: German texts to English when the login chose English.
    static QString tr(const QString &german);

    // The program's command line as the login reads it; tests replace it.
    static QStringList arguments();
    static void setArguments(std::optional<QStringList> arguments);

    // Back to the state of a freshly loaded library (tests).
    static void reset();
    // The library's unload: drops the store (closing its connections) and the login's state.
    static void unload();
};

} // namespace tarvo::access
