#include "platform/secrets/SecretStore.h"

#include "support/TempDir.h"

#include <QFile>
#include <QFileInfo>

#include <gtest/gtest.h>
#include <sys/stat.h>

using tarvo::SecretStore;

namespace {

class SecretStoreTest : public ::testing::Test {
  protected:
    tarvo::test::TempDir dir;
    SecretStore store{dir.file(QStringLiteral("keys/secret.key"))};
};

TEST_F(SecretStoreTest, SealedTextOpensToThePlainTextAndDoesNotShowIt)
{
    const QString plain = QStringLiteral("smtp pässword 123");
    auto sealed = store.seal(plain);
    ASSERT_TRUE(sealed) << sealed.error().message.toStdString();
    EXPECT_TRUE(SecretStore::isSealed(*sealed));
    EXPECT_FALSE(sealed->contains(plain));
    EXPECT_FALSE(sealed->contains(QStringLiteral("123")));
    // A fresh nonce each time: the same password never gives the same text.
    EXPECT_NE(*sealed, *store.seal(plain));

    auto opened = SecretStore(store.keyPath()).open(*sealed);
    ASSERT_TRUE(opened) << opened.error().message.toStdString();
    EXPECT_EQ(*opened, plain);
    EXPECT_EQ(*store.open(*store.seal(QString())), QString());
}

TEST_F(SecretStoreTest, KeyFileIsCreatedOnceReadableOnlyByTheUser)
{
    ASSERT_TRUE(store.seal(QStringLiteral("x")));
    struct stat info {};
    ASSERT_EQ(::stat(QFile::encodeName(store.keyPath()).constData(), &info), 0);
    EXPECT_EQ(info.st_mode & 0777, 0600u);
    QFile key(store.keyPath());
    ASSERT_TRUE(key.open(QIODevice::ReadOnly));
    const QByteArray first = key.readAll();
    ASSERT_TRUE(store.seal(QStringLiteral("y")));
    QFile again(store.keyPath());
    ASSERT_TRUE(again.open(QIODevice::ReadOnly));
    EXPECT_EQ(again.readAll(), first);
}

TEST_F(SecretStoreTest, DefaultKeyIsInTheUsersConfigFolder)
{
    dir.useAsConfigHome();
    EXPECT_TRUE(SecretStore::defaultKeyPath().startsWith(dir.path() + QLatin1Char('/')));
}

struct BadValue {
    const char *name;
    QString (*make)(const QString &sealed);
    int code;
};

class SecretStoreRefusesTest : public SecretStoreTest, public ::testing::WithParamInterface<BadValue> {};

TEST_P(SecretStoreRefusesTest, DamagedOrForeignValueIsAnError)
{
    auto sealed = store.seal(QStringLiteral("the password"));
    ASSERT_TRUE(sealed);
    auto opened = store.open(GetParam().make(*sealed));
    ASSERT_FALSE(opened);
    EXPECT_EQ(opened.error().code, GetParam().code);
    EXPECT_FALSE(opened.error().message.isEmpty());
}

// One bit of the last cipher byte changed: flipping a base64 character instead could hit the
// padding bits, which decode to the same bytes.
QString flipLastCipherByte(const QString &sealed)
{
    const qsizetype prefix = sealed.lastIndexOf(QLatin1Char(':')) + 1;
    QByteArray bytes = QByteArray::fromBase64(sealed.mid(prefix).toLatin1());
    bytes[bytes.size() - 1] = char(bytes.at(bytes.size() - 1) ^ 0x01);
    return sealed.left(prefix) + QString::fromLatin1(bytes.toBase64());
}

QString sealedWithAnotherKey(const QString &)
{
    tarvo::test::TempDir other;
    return *SecretStore(other.file(QStringLiteral("secret.key"))).seal(QStringLiteral("the password"));
}

INSTANTIATE_TEST_SUITE_P(
    Values, SecretStoreRefusesTest,
    ::testing::Values(BadValue{"PlainText", [](const QString &) { return QStringLiteral("the password"); },
                               SecretStore::ErrorNotSealed},
                      BadValue{"FlippedByte", flipLastCipherByte, SecretStore::ErrorCannotOpen},
                      BadValue{"Truncated", [](const QString &s) { return s.left(s.size() / 2); },
                               SecretStore::ErrorCannotOpen},
                      BadValue{"OnlyPrefix",
                               [](const QString &) { return QStringLiteral("tarvo-secret:1:"); },
                               SecretStore::ErrorCannotOpen},
                      BadValue{"NotBase64",
                               [](const QString &) { return QStringLiteral("tarvo-secret:1:*%$"); },
                               SecretStore::ErrorCannotOpen},
                      BadValue{"OtherKey", sealedWithAnotherKey, SecretStore::ErrorCannotOpen}),
    [](const auto &info) { return std::string(info.param.name); });

TEST_F(SecretStoreTest, MissingOrDamagedKeyFileIsAnErrorWhenOpening)
{
    auto sealed = store.seal(QStringLiteral("pw"));
    ASSERT_TRUE(sealed);
    QFile key(store.keyPath());
    ASSERT_TRUE(key.open(QIODevice::WriteOnly | QIODevice::Truncate));
    key.write("short");
    key.close();
    EXPECT_EQ(store.open(*sealed).error().code, SecretStore::ErrorKeyFile);
    ASSERT_TRUE(QFile::remove(store.keyPath()));
    EXPECT_EQ(store.open(*sealed).error().code, SecretStore::ErrorKeyFile);
    EXPECT_FALSE(QFileInfo::exists(store.keyPath()));
}

} // namespace
