#include "platform/secrets/SecretStore.h"

#include "platform/runtime/ProgramFolder.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sodium.h>
#include <sys/stat.h>
#include <unistd.h>

namespace tarvo {

namespace {

const QString prefix = QStringLiteral("tarvo-secret:1:");

bool sodiumReady()
{
    static const bool ok = sodium_init() >= 0;
    return ok;
}

Error keyFileError(const QString &path, const char *what)
{
    return makeError(SecretStore::ErrorKeyFile,
                     QStringLiteral("The key file \"%1\" could not be %2: %3")
                         .arg(QDir::toNativeSeparators(path), QString::fromUtf8(what),
                              QString::fromLocal8Bit(std::strerror(errno))));
}

// Reads exactly one key from path; a file of another size is refused rather than used.
Result<QByteArray> readKey(const QString &path)
{
    const QByteArray native = QFile::encodeName(path);
    const int fd = ::open(native.constData(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return keyFileError(path, "read");
    QByteArray key(crypto_secretbox_KEYBYTES + 1, '\0');
    const ssize_t got = ::read(fd, key.data(), key.size());
    ::close(fd);
    if (got != crypto_secretbox_KEYBYTES) {
        sodium_memzero(key.data(), key.size());
        errno = got < 0 ? errno : EINVAL;
        return keyFileError(path, "read");
    }
    key.truncate(crypto_secretbox_KEYBYTES);
    return key;
}

// Writes a fresh key beside path and links it into place, so that two processes starting at once
// end up with the same key: the loser of the link reads the winner's file.
Result<void> createKey(const QString &path)
{
    const QString folder = QFileInfo(path).absolutePath();
    if (!QDir().mkpath(folder))
        return keyFileError(path, "created");
    QByteArray tempName = QFile::encodeName(folder + QStringLiteral("/.secret-XXXXXX"));
    const int fd = ::mkstemp(tempName.data());
    if (fd < 0)
        return keyFileError(path, "created");
    unsigned char key[crypto_secretbox_KEYBYTES];
    crypto_secretbox_keygen(key);
    const bool written = ::fchmod(fd, S_IRUSR | S_IWUSR) == 0 &&
                         ::write(fd, key, sizeof key) == static_cast<ssize_t>(sizeof key) && ::fsync(fd) == 0;
    sodium_memzero(key, sizeof key);
    ::close(fd);
    const bool linked = written && (::link(tempName.constData(), QFile::encodeName(path).constData()) == 0 ||
                                    errno == EEXIST);
    const int savedErrno = errno;
    ::unlink(tempName.constData());
    errno = savedErrno;
    if (!linked)
        return keyFileError(path, "created");
    return {};
}

} // namespace

QString SecretStore::defaultKeyPath()
{
    return ProgramFolder::filePath(QStringLiteral("secret.key"));
}

SecretStore::SecretStore(QString keyPath) : m_keyPath(std::move(keyPath)) {}

bool SecretStore::isSealed(const QString &text)
{
    return text.startsWith(prefix);
}

Result<QByteArray> SecretStore::key(bool create) const
{
    if (create && !QFileInfo::exists(m_keyPath)) {
        if (auto made = createKey(m_keyPath); !made)
            return made.error();
    }
    return readKey(m_keyPath);
}

Result<QString> SecretStore::seal(const QString &plain) const
{
    if (!sodiumReady())
        return makeError(ErrorCryptoLibrary, QStringLiteral("The encryption library could not be started."));
    auto k = key(true);
    if (!k)
        return k.error();
    const QByteArray message = plain.toUtf8();
    QByteArray box(crypto_secretbox_NONCEBYTES + crypto_secretbox_MACBYTES + message.size(), '\0');
    auto *nonce = reinterpret_cast<unsigned char *>(box.data());
    randombytes_buf(nonce, crypto_secretbox_NONCEBYTES);
    crypto_secretbox_easy(nonce + crypto_secretbox_NONCEBYTES,
                          reinterpret_cast<const unsigned char *>(message.constData()), message.size(), nonce,
                          reinterpret_cast<const unsigned char *>(k->constData()));
    sodium_memzero(k.value().data(), k->size());
    return QString(prefix + QString::fromLatin1(box.toBase64()));
}

Result<QString> SecretStore::open(const QString &sealed) const
{
    if (!isSealed(sealed))
        return makeError(ErrorNotSealed, QStringLiteral("The stored password is not encrypted."));
    if (!sodiumReady())
        return makeError(ErrorCryptoLibrary, QStringLiteral("The encryption library could not be started."));
    const auto decoded = QByteArray::fromBase64Encoding(sealed.mid(prefix.size()).toLatin1(),
                                                        QByteArray::AbortOnBase64DecodingErrors);
    const QByteArray &box = decoded.decoded;
    const Error damaged =
        makeError(ErrorCannotOpen, QStringLiteral("The stored password cannot be decrypted "
                                                  "(damaged, or encrypted with another key)."));
    if (decoded.decodingStatus != QByteArray::Base64DecodingStatus::Ok ||
        box.size() < static_cast<qsizetype>(crypto_secretbox_NONCEBYTES + crypto_secretbox_MACBYTES))
        return damaged;
    auto k = key(false);
    if (!k)
        return k.error();
    const auto *nonce = reinterpret_cast<const unsigned char *>(box.constData());
    const qsizetype cipherSize = box.size() - crypto_secretbox_NONCEBYTES;
    QByteArray message(cipherSize - crypto_secretbox_MACBYTES, '\0');
    const int failed = crypto_secretbox_open_easy(reinterpret_cast<unsigned char *>(message.data()),
                                                  nonce + crypto_secretbox_NONCEBYTES, cipherSize, nonce,
                                                  reinterpret_cast<const unsigned char *>(k->constData()));
    sodium_memzero(k.value().data(), k->size());
    if (failed != 0)
        return damaged;
    return QString::fromUtf8(message);
}

} // namespace tarvo
