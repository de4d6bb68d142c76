#include "access/PasswordHash.h"

#include <atomic>
#include <sodium.h>

namespace tarvo::access {

namespace {

std::atomic<bool> g_minimumCost{false};

bool initialised()
{
    static const bool ok = sodium_init() >= 0;
    return ok;
}

} // namespace

void PasswordHash::useMinimumCostForTests()
{
    g_minimumCost = true;
}

Result<QString> PasswordHash::hash(const QString &password)
{
    if (!initialised())
        return makeError(-1, QStringLiteral("The password library could not be started."));
    const QByteArray utf8 = password.toUtf8();
    char out[crypto_pwhash_STRBYTES];
    const bool cheap = g_minimumCost;
    const int rc =
        crypto_pwhash_str_alg(out, utf8.constData(), static_cast<unsigned long long>(utf8.size()),
                              cheap ? crypto_pwhash_OPSLIMIT_MIN : crypto_pwhash_OPSLIMIT_INTERACTIVE,
                              cheap ? crypto_pwhash_MEMLIMIT_MIN : crypto_pwhash_MEMLIMIT_INTERACTIVE,
                              crypto_pwhash_ALG_ARGON2ID13);
    if (rc != 0)
        return makeError(-1, QStringLiteral("Out of memory while protecting the password."));
    return QString::fromLatin1(out);
}

bool PasswordHash::verify(const QString &storedHash, const QString &password)
{
    if (storedHash.isEmpty() || !initialised())
        return false;
    const QByteArray stored = storedHash.toLatin1();
    if (stored.size() >= crypto_pwhash_STRBYTES)
        return false;
    char buffer[crypto_pwhash_STRBYTES] = {};
    memcpy(buffer, stored.constData(), size_t(stored.size()));
    const QByteArray utf8 = password.toUtf8();
    return crypto_pwhash_str_verify(buffer, utf8.constData(), static_cast<unsigned long long>(utf8.size())) ==
           0;
}

} // namespace tarvo::access
