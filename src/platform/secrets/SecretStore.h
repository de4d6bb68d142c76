#pragma once

#include "platform/runtime/Result.h"

#include <QByteArray>
#include <QString>

namespace tarvo {

// Passwords that the shared data folder must hold without showing them: sealed with a key that
// lives in the user's own config folder (mode 0600), so a copy of the data folder alone opens
// nothing. A sealed value is text ("tarvo-secret:1:" + base64 of nonce and cipher) and never the
// plain text; opening a damaged value, or one sealed with another key, is an error.
class SecretStore final {
  public:
    static constexpr int ErrorKeyFile = 90;   // the key file could not be created or read
    static constexpr int ErrorNotSealed = 1;  // the text is not a sealed value
    static constexpr int ErrorCannotOpen = 2; // damaged, or sealed with another key
    static constexpr int ErrorCryptoLibrary = 3;

    // The key file of the user: "secret.key" in the program's own folder.
    static QString defaultKeyPath();

    explicit SecretStore(QString keyPath = defaultKeyPath());

    QString keyPath() const { return m_keyPath; }

    // Whether text has the form of a sealed value (says nothing about whether it opens).
    static bool isSealed(const QString &text);

    // Seals the plain text; creates the key file on first use.
    Result<QString> seal(const QString &plain) const;
    // The plain text of a sealed value.
    Result<QString> open(const QString &sealed) const;

  private:
    Result<QByteArray> key(bool create) const;

    QString m_keyPath;
};

} // namespace tarvo
