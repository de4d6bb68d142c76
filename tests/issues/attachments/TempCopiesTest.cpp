#include "issues/attachments/TempCopies.h"

#include "support/TempDir.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <gtest/gtest.h>

namespace tarvo::issues {

namespace {

QByteArray contents(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// Stored names as a shared data folder may hold them, hostile ones included, and the file name
// the copy gets.
struct NameCase {
    const char *stored;
    const char *copyName;
};

const NameCase nameCases[] = {
    {"C:\\Documents\\Report 2026.pdf", "Report 2026.pdf"},
    {"Clipboard.png", "Clipboard.png"},
    {"/home/ann/scan.pcx", "scan.pcx"},
    {"../../x", "x"},
    {"..\\..\\..\\etc\\passwd", "passwd"},
    {"/etc/passwd", "passwd"},
    {"..", "Attachment"},
    {".bashrc", "bashrc"},
    {"C:\\folder\\", "Attachment"},
    {"   ", "Attachment"},
    {"a:b*c?.txt", "a_b_c_.txt"},
    {"line\nbreak.txt", "line_break.txt"},
};

class TempCopyOfStoredName : public ::testing::TestWithParam<NameCase> {};

TEST_P(TempCopyOfStoredName, StaysInsideTheUsersFolder)
{
    test::TempDir dir;
    const QString base = dir.file(QStringLiteral("Temp"));
    TempCopies copies(base, QStringLiteral("JDO"));
    const auto path = copies.write(QByteArray("bytes"), QString::fromUtf8(GetParam().stored));
    ASSERT_TRUE(path.ok()) << path.error().message.toStdString();
    EXPECT_EQ(QFileInfo(*path).fileName(), QString::fromUtf8(GetParam().copyName));
    const QString folder = QFileInfo(copies.userFolder()).canonicalFilePath() + QLatin1Char('/');
    EXPECT_TRUE(QFileInfo(*path).canonicalFilePath().startsWith(folder)) << path->toStdString();
    EXPECT_EQ(contents(*path), QByteArray("bytes"));
    // Nothing was written outside the user's folder.
    EXPECT_EQ(QDir(base).entryList(QDir::AllEntries | QDir::NoDotAndDotDot),
              QStringList{QStringLiteral("JDO")});
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot),
              QStringList{QStringLiteral("Temp")});
}

INSTANTIATE_TEST_SUITE_P(Names, TempCopyOfStoredName, ::testing::ValuesIn(nameCases));

TEST(TempCopies, CopiesOfOneNameNeverOverwriteEachOtherAndGoWhenDone)
{
    test::TempDir dir;
    QString first;
    QString second;
    {
        TempCopies copies(dir.path(), QStringLiteral("../ann"));
        EXPECT_EQ(QFileInfo(copies.userFolder()).fileName(), QStringLiteral("_ann"));
        first = *copies.write(QByteArray("one"), QStringLiteral("a.txt"));
        second = *copies.write(QByteArray("two"), QStringLiteral("C:\\other\\a.txt"));
        EXPECT_NE(first, second);
        EXPECT_EQ(contents(first), QByteArray("one"));
        EXPECT_EQ(contents(second), QByteArray("two"));
        copies.remove(first);
        EXPECT_FALSE(QFile::exists(first));
        // A path it did not write is left alone.
        const QString foreign = dir.file(QStringLiteral("keep.txt"));
        QFile keep(foreign);
        ASSERT_TRUE(keep.open(QIODevice::WriteOnly));
        keep.close();
        copies.remove(foreign);
        EXPECT_TRUE(QFile::exists(foreign));
    }
    EXPECT_FALSE(QFile::exists(second));
    EXPECT_FALSE(QFileInfo::exists(QFileInfo(second).absolutePath()));
}

TEST(TempCopies, TheFolderIsTheUsersSettingElseTheDataFoldersTemp)
{
    EXPECT_EQ(TempCopies::baseFolder(QStringLiteral("/tmp/att/"), QStringLiteral("/data")),
              QStringLiteral("/tmp/att"));
    EXPECT_EQ(TempCopies::baseFolder(QString(), QStringLiteral("/data/")), QStringLiteral("/data/Temp"));
}

} // namespace

} // namespace tarvo::issues
