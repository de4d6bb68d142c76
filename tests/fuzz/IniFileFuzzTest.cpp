#include "FuzzBudget.h"
#include "platform/runtime/IniFile.h"
#include "support/TempDir.h"

#include <QFile>

#include <cstring>
#include <gtest/gtest.h>
#include <random>

namespace tarvo::test {

namespace {

// Bytes an INI file on a share may hold after a bad write or an attack: fragments of sections and
// keys, stray brackets and "=", line breaks of every kind, NUL, invalid UTF-8 and long lines.
QByteArray randomContent(std::mt19937_64 &rng)
{
    static const char *const pieces[] = {
        "[",     "]", "=",    "\n",   "\r\n",     "\r", ";",  " ",  "\t",       "Sect",  "key",         "KEY",
        "value", "ä", "\xff", "\xc3", "\xe2\x82", "\0", "[]", "==", "[Main]\n", "a=b\n", "\xef\xbb\xbf"};
    std::uniform_int_distribution<int> count(0, 60);
    std::uniform_int_distribution<size_t> which(0, std::size(pieces) - 1);
    QByteArray out;
    for (int i = count(rng); i > 0; --i) {
        const char *p = pieces[which(rng)];
        out.append(p, *p ? qsizetype(std::strlen(p)) : 1);
    }
    if (rng() % 8 == 0)
        out.append(QByteArray(70000, 'x'));
    return out;
}

QString randomName(std::mt19937_64 &rng)
{
    static const char *const names[] = {"Main", "main", "Key", "ä",  "a b",
                                        " x",   "y ",   "[n",  "k;", "\xf0\x9d\x84\x9e"};
    return QString::fromUtf8(names[rng() % std::size(names)]);
}

} // namespace

// Whatever a settings file holds, reading it never crashes or reads out of bounds, and a value
// that can be stored as one line is read back as it was written, the rest of the file kept.
TEST(IniFileFuzz, AnyContentReadsAndWritesBackWhatWasSet)
{
    TempDir dir;
    const QString path = dir.file(QStringLiteral("Fuzz.ini"));
    std::mt19937_64 rng(FuzzBudget::kSeed);
    FuzzBudget budget(500, 15);
    while (budget.next()) {
        QFile f(path);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
        f.write(randomContent(rng));
        f.close();

        IniFile ini(path);
        const QStringList sections = ini.sections();
        for (const QString &s : sections)
            for (const QString &k : ini.keys(s))
                (void)ini.value(s, k);
        (void)ini.intValue(randomName(rng), randomName(rng), 7);

        const QString section = randomName(rng);
        const QString key = randomName(rng);
        const QString value = randomName(rng) + (rng() % 2 ? QStringLiteral("=;[x]") : QString());
        const QString other = sections.isEmpty() ? QString() : sections.front();
        const QStringList otherKeys = other.isEmpty() ? QStringList() : ini.keys(other);
        const QString otherKey = otherKeys.isEmpty() ? QString() : otherKeys.front();
        const QString otherValue = otherKey.isEmpty() ? QString() : ini.value(other, otherKey);

        auto set = ini.setValue(section, key, value);
        if (!set) {
            // Refused as a name the file cannot hold, never failing halfway.
            EXPECT_EQ(set.error().code, IniFile::ErrorInvalidEntry)
                << section.toStdString() << "/" << key.toStdString();
            continue;
        }
        EXPECT_EQ(ini.value(section, key).toStdString(), value.toStdString())
            << section.toStdString() << "/" << key.toStdString();
        if (!otherKey.isEmpty() && (other.compare(section, Qt::CaseInsensitive) != 0 ||
                                    otherKey.compare(key, Qt::CaseInsensitive) != 0)) {
            EXPECT_EQ(ini.value(other, otherKey).toStdString(), otherValue.toStdString());
        }
        ASSERT_TRUE(ini.removeKey(section, key).ok());
        EXPECT_FALSE(ini.contains(section, key));
    }
}

} // namespace tarvo::test
