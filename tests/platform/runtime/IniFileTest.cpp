#include "platform/runtime/IniFile.h"

#include "platform/runtime/ProgramFolder.h"
#include "support/TempDir.h"

#include <QDir>
#include <QFile>

#include <gtest/gtest.h>
#include <thread>
#include <unistd.h>
#include <vector>

using tarvo::IniFile;

namespace {

QByteArray readBytes(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void writeBytes(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

class IniFileTest : public ::testing::Test {
  protected:
    tarvo::test::TempDir dir;
    QString path = dir.file(QStringLiteral("User.ini"));
};

TEST_F(IniFileTest, SectionsAndKeysIgnoreCaseAndKeepTheCaseFirstWritten)
{
    IniFile ini(path);
    ASSERT_TRUE(ini.setValue("User Settings", "Tab Color", "255"));
    ASSERT_TRUE(ini.setValue("USER SETTINGS", "TAB COLOR", "128"));
    ASSERT_TRUE(ini.setValue("user settings", "Color Mode", "2"));

    EXPECT_EQ(ini.value("uSeR sEtTiNgS", "tab color"), "128");
    EXPECT_EQ(ini.sections(), QStringList{"User Settings"});
    EXPECT_EQ(ini.keys("USER SETTINGS"), (QStringList{"Tab Color", "Color Mode"}));
    EXPECT_EQ(readBytes(path), "[User Settings]\nTab Color=128\nColor Mode=2\n");
}

TEST_F(IniFileTest, ValuesAreStoredAndReadRaw)
{
    const QStringList values{"a=b=c", "x;y ; not a comment", "  blanks kept  ", "\"quoted\"",
                             "",      "C:\\Temp\\",          "50°120°80",       "[not a section]"};
    IniFile ini(path);
    for (qsizetype i = 0; i < values.size(); ++i)
        ASSERT_TRUE(ini.setValue("S", QStringLiteral("K%1").arg(i), values[i]));
    IniFile reread(path);
    for (qsizetype i = 0; i < values.size(); ++i)
        EXPECT_EQ(reread.value("S", QStringLiteral("K%1").arg(i), "default"), values[i]) << i;
}

TEST_F(IniFileTest, ReadsHandWrittenFilesAndKeepsTheirComments)
{
    writeBytes(path, "; written by hand\r\n"
                     "[BrowseBugs]\r\n"
                     "  HSplit Pos = 106 ; px\r\n"
                     "; the next one is not an entry\r\n"
                     "no equals sign here\r\n"
                     "Last Release=1.0\r\n"
                     "Last Release=2.0\r\n"
                     "\r\n"
                     "[Other]\r\n"
                     "A=1");
    IniFile ini(path);
    EXPECT_EQ(ini.value("BrowseBugs", "HSplit Pos"), " 106 ; px");
    EXPECT_EQ(ini.intValue("BrowseBugs", "HSplit Pos", 0), 106);
    EXPECT_EQ(ini.value("BrowseBugs", "Last Release"), "1.0"); // the first of two wins
    EXPECT_EQ(ini.keys("BrowseBugs"), (QStringList{"HSplit Pos", "Last Release"}));
    EXPECT_EQ(ini.value("Other", "A"), "1");

    ASSERT_TRUE(ini.setValue("browsebugs", "VSplit Pos", "331"));
    EXPECT_EQ(readBytes(path), "; written by hand\n"
                               "[BrowseBugs]\n"
                               "  HSplit Pos = 106 ; px\n"
                               "; the next one is not an entry\n"
                               "no equals sign here\n"
                               "Last Release=1.0\n"
                               "Last Release=2.0\n"
                               "VSplit Pos=331\n"
                               "\n"
                               "[Other]\n"
                               "A=1\n");
}

// A line ending in more than one carriage return (a file edited on several systems) reads the
// same before and after any other key is written.
TEST_F(IniFileTest, ExtraCarriageReturnsStayOutOfTheValue)
{
    writeBytes(path, "[A]\r\nK=v\r\r\n");
    IniFile ini(path);
    EXPECT_EQ(ini.value("A", "K"), "v");
    ASSERT_TRUE(ini.setValue("A", "L", "w"));
    EXPECT_EQ(ini.value("A", "K"), "v");
}

TEST_F(IniFileTest, MissingFileSectionOrKeyGivesTheDefault)
{
    IniFile ini(path);
    EXPECT_EQ(ini.value("User Settings", "AttachPath", "/data"), "/data");
    EXPECT_EQ(ini.intValue("User Settings", "Tab Color", 255), 255);
    EXPECT_TRUE(ini.sections().isEmpty());
    EXPECT_TRUE(ini.keys("User Settings").isEmpty());
    EXPECT_FALSE(QFile::exists(path)) << "reading must not create the file";

    ASSERT_TRUE(ini.setValue("User Settings", "AttachPath", ""));
    EXPECT_EQ(ini.value("User Settings", "AttachPath", "/data"), "") << "an empty value is a value";
    EXPECT_TRUE(ini.contains("User Settings", "AttachPath"));
    EXPECT_EQ(ini.value("User Settings", "Profile", "none"), "none");
    EXPECT_EQ(ini.value("Elsewhere", "AttachPath", "none"), "none");
}

TEST_F(IniFileTest, IntValueReadsLeadingNumberElseDefault)
{
    const struct {
        const char *text;
        int expected;
    } cases[] = {{"12", 12},
                 {"  -3", -3},
                 {"+4", 4},
                 {"8388608", 8388608},
                 {"12abc", 12},
                 {"abc", 77},
                 {"", 77},
                 {"-", 77},
                 {"99999999999", 77},
                 {"2147483647", 2147483647},
                 {"-2147483648", -2147483647 - 1},
                 {"2147483648", 77}};
    IniFile ini(path);
    for (const auto &c : cases) {
        ASSERT_TRUE(ini.setValue("N", "V", c.text));
        EXPECT_EQ(ini.intValue("N", "V", 77), c.expected) << c.text;
    }
    ASSERT_TRUE(ini.setIntValue("N", "V", -1));
    EXPECT_EQ(ini.value("N", "V"), "-1");
}

TEST_F(IniFileTest, WritesAreVisibleAtOnceToAnotherObjectOnTheSamePath)
{
    IniFile first(path);
    IniFile second(dir.path() + "/./User.ini");
    EXPECT_EQ(second.value("Toolbar_HTML", "XPos", "30"), "30");
    ASSERT_TRUE(first.setValue("Toolbar_HTML", "XPos", "40"));
    EXPECT_EQ(second.value("Toolbar_HTML", "XPos", "30"), "40");
    ASSERT_TRUE(second.setValue("Toolbar_HTML", "YPos", "50"));
    EXPECT_EQ(first.value("Toolbar_HTML", "YPos"), "50");
    // Several writes within one clock tick and of the same size must still be seen.
    for (int i = 0; i < 20; ++i) {
        ASSERT_TRUE(first.setIntValue("Toolbar_HTML", "XPos", 10 + i));
        ASSERT_EQ(second.intValue("Toolbar_HTML", "XPos", 0), 10 + i);
    }
}

TEST_F(IniFileTest, RemoveKeyAndSectionTakeEveryCopyAndLeaveTheRest)
{
    writeBytes(path, "[A]\nx=1\ny=2\nX=3\n[B]\nx=4\n[a]\nz=5\n");
    IniFile ini(path);
    ASSERT_TRUE(ini.removeKey("a", "X"));
    EXPECT_FALSE(ini.contains("A", "x"));
    EXPECT_EQ(ini.value("A", "y"), "2");
    EXPECT_EQ(ini.value("B", "x"), "4");

    ASSERT_TRUE(ini.removeSection("A"));
    EXPECT_EQ(ini.sections(), QStringList{"B"});
    EXPECT_EQ(readBytes(path), "[B]\nx=4\n");

    ASSERT_TRUE(ini.removeKey("B", "missing"));
    ASSERT_TRUE(ini.removeSection("missing"));
    EXPECT_EQ(readBytes(path), "[B]\nx=4\n");
}

TEST_F(IniFileTest, UmlautsAreUtf8OnDiskAndCompareWithoutCase)
{
    IniFile ini(path);
    ASSERT_TRUE(ini.setValue("Übersicht", "Ärger", "Größe ¤¶ °"));
    EXPECT_EQ(ini.value("ÜBERSICHT", "ärger"), "Größe ¤¶ °");
    EXPECT_EQ(readBytes(path), QString("[Übersicht]\nÄrger=Größe ¤¶ °\n").toUtf8());
}

TEST_F(IniFileTest, ByteFileFromWindowsKeepsItsUmlauts)
{
    writeBytes(path, "[Vuvuzu]\nInsert=&Einf\xFCgen\nWarning Message=Bitte\xA4\xB6speichern\n");
    IniFile ini(path);
    EXPECT_EQ(ini.value("Vuvuzu", "Insert"), "&Einfügen");
    ASSERT_TRUE(ini.setValue("Vuvuzu", "Change", "&Ändern"));
    EXPECT_EQ(
        readBytes(path),
        QString("[Vuvuzu]\nInsert=&Einfügen\nWarning Message=Bitte¤¶speichern\nChange=&Ändern\n").toUtf8());
}

TEST_F(IniFileTest, RefusesEntriesThatWouldBreakTheFile)
{
    const struct {
        const char *section;
        const char *key;
        const char *value;
    } cases[] = {{"S", "a=b", "1"},         {"S", "a\nb", "1"}, {"S]", "k", "1"}, {"S\n[T", "k", "1"},
                 {"S", "k", "1\n[T]\nk=2"}, {"S", "k", "1\r"},  {"", "k", "1"},   {"S", " ", "1"},
                 {"S", ";k", "1"},          {"S", "[k]", "1"}};
    IniFile ini(path);
    ASSERT_TRUE(ini.setValue("S", "k", "0"));
    const QByteArray before = readBytes(path);
    for (const auto &c : cases) {
        const tarvo::Result<void> result = ini.setValue(c.section, c.key, c.value);
        ASSERT_FALSE(result) << c.section << "/" << c.key;
        EXPECT_EQ(result.error().code, IniFile::ErrorInvalidEntry);
    }
    EXPECT_EQ(readBytes(path), before);
}

TEST_F(IniFileTest, FailedWritesAreReportedAndLeaveNoStrayFiles)
{
    IniFile nowhere(dir.file("missing/User.ini"));
    const tarvo::Result<void> result = nowhere.setValue("S", "k", "v");
    ASSERT_FALSE(result);
    EXPECT_EQ(result.error().code, IniFile::ErrorFileSystem);
    EXPECT_TRUE(result.error().message.contains("missing/User.ini"));

    IniFile ini(path);
    for (int i = 0; i < 5; ++i)
        ASSERT_TRUE(ini.setIntValue("S", "k", i));
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList{"User.ini"});
}

TEST_F(IniFileTest, UnreadableFileIsNotOverwritten)
{
    if (::geteuid() == 0)
        GTEST_SKIP() << "root reads every file";
    writeBytes(path, "[S]\nkeep=me\n");
    QFile::setPermissions(path, QFileDevice::WriteOwner);
    IniFile ini(path);
    EXPECT_EQ(ini.value("S", "keep", "default"), "default");
    EXPECT_FALSE(ini.setValue("S", "new", "1"));
    QFile::setPermissions(path, QFileDevice::ReadOwner | QFileDevice::WriteOwner);
    EXPECT_EQ(readBytes(path), "[S]\nkeep=me\n");
}

TEST_F(IniFileTest, ConcurrentWritersThroughSeveralObjectsLoseNothing)
{
    constexpr int threadCount = 8;
    constexpr int keysPerThread = 40;
    IniFile shared(path);
    std::vector<std::thread> threads;
    for (int t = 0; t < threadCount; ++t) {
        threads.emplace_back([&, t] {
            IniFile own(path);
            IniFile &ini = t % 2 ? own : shared;
            for (int k = 0; k < keysPerThread; ++k) {
                const QString section = QStringLiteral("Section%1").arg(k % 3);
                EXPECT_TRUE(ini.setIntValue(section, QStringLiteral("T%1K%2").arg(t).arg(k), t * 1000 + k));
            }
        });
    }
    for (std::thread &thread : threads)
        thread.join();

    IniFile check(path);
    int found = 0;
    for (int t = 0; t < threadCount; ++t) {
        for (int k = 0; k < keysPerThread; ++k)
            found += check.intValue(QStringLiteral("Section%1").arg(k % 3),
                                    QStringLiteral("T%1K%2").arg(t).arg(k), -1) == t * 1000 + k;
    }
    EXPECT_EQ(found, threadCount * keysPerThread);
    EXPECT_EQ(check.sections().size(), 3);
}

TEST(ProgramFolderTest, IsBelowTheConfigHomeAndCreatedOnDemand)
{
    tarvo::test::TempDir home;
    home.useAsConfigHome();
    const QString expected = home.path() + "/Tarvo";
    ASSERT_FALSE(QDir(expected).exists());
    EXPECT_EQ(tarvo::ProgramFolder::path(), expected);
    EXPECT_TRUE(QDir(expected).exists());
    EXPECT_EQ(tarvo::ProgramFolder::filePath("Tarvo.INI"), expected + "/Tarvo.INI");
}

} // namespace
