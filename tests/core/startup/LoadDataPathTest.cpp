#include "core/startup/LoadDataPath.h"

#include "core/startup/PathFile.h"
#include "support/ScriptedMessages.h"
#include "support/TempDir.h"

#include <QDir>
#include <QFile>

#include <gtest/gtest.h>
#include <memory>

namespace tarvo::core {
namespace {

// A path file in a temporary program folder and a path dialog that records its calls.
class LoadDataPathTest : public ::testing::Test {
  protected:
    void SetUp() override
    {
        m_home.useAsConfigHome();
        m_data = m_home.file(QStringLiteral("data"));
        QDir().mkpath(m_data);
        m_pathFile = std::make_unique<PathFile>();
        ASSERT_TRUE(m_pathFile->create());
        ASSERT_TRUE(m_pathFile->open());
    }

    // The dialog as a user answers it: writes `answer` into record 1, or nothing when empty.
    DataPathPrompt prompt(QString answer, bool canAsk = true)
    {
        DataPathPrompt p;
        p.canAsk = [this, canAsk] { return canAsk && m_modes.size() < 5; };
        p.pathsDialog = [this, answer](int mode) {
            m_modes.push_back(mode);
            if (answer.isEmpty())
                return;
            PathFile dialogFile;
            ASSERT_TRUE(dialogFile.open());
            auto r = mode == 1 ? dialogFile.add(answer) : dialogFile.update(answer);
            ASSERT_TRUE(r);
        };
        return p;
    }

    test::TempDir m_home;
    test::ScriptedMessages m_messages;
    // Made once the program's folder points into the temporary folder.
    std::unique_ptr<PathFile> m_pathFile;
    PathFile &m_file() { return *m_pathFile; }
    QString m_data;
    std::vector<int> m_modes;
};

TEST_F(LoadDataPathTest, NoRecordAsksInMode1AndReturnsTheChosenFolder)
{
    auto folder = LoadDataPath(m_file(), prompt(m_data));
    ASSERT_TRUE(folder);
    EXPECT_EQ(*folder, m_data);
    EXPECT_EQ(m_modes, std::vector<int>{1});
}

TEST_F(LoadDataPathTest, StoredFolderWithTrailingSlashIsUsedWithoutItAndNobodyIsAsked)
{
    ASSERT_TRUE(m_file().add(m_data + u'/'));
    auto folder = LoadDataPath(m_file(), prompt({}));
    ASSERT_TRUE(folder);
    EXPECT_EQ(*folder, m_data);
    EXPECT_TRUE(m_modes.empty());
}

TEST_F(LoadDataPathTest, MissingFolderAsksInMode2)
{
    ASSERT_TRUE(m_file().add(m_home.file(QStringLiteral("gone"))));
    auto folder = LoadDataPath(m_file(), prompt(m_data));
    ASSERT_TRUE(folder);
    EXPECT_EQ(*folder, m_data);
    EXPECT_EQ(m_modes, std::vector<int>{2});
}

TEST_F(LoadDataPathTest, CancelWithoutAWindowEndsInsteadOfSpinning)
{
    auto folder = LoadDataPath(m_file(), prompt({}, false));
    EXPECT_FALSE(folder);
    EXPECT_TRUE(m_modes.empty());
    ASSERT_EQ(m_messages.texts().size(), 1);
    EXPECT_TRUE(m_messages.texts().first().contains(QStringLiteral("no window can be shown")));
}

TEST_F(LoadDataPathTest, CancelledDialogIsShownAgainWhileAWindowCanBeShown)
{
    // The fake stops answering "can ask" after five dialogs; the loop then ends with a message.
    auto folder = LoadDataPath(m_file(), prompt({}));
    EXPECT_FALSE(folder);
    EXPECT_EQ(m_modes, std::vector<int>(5, 1));
}

TEST_F(LoadDataPathTest, FirstRunFolderIsMadeAndStoredWithoutAsking)
{
    DataPathPrompt p = prompt({});
    p.defaultFolder = m_home.file(QStringLiteral("Tarvo/Data"));
    auto folder = LoadDataPath(m_file(), p);
    ASSERT_TRUE(folder);
    EXPECT_EQ(*folder, p.defaultFolder);
    EXPECT_TRUE(QDir(p.defaultFolder).exists());
    EXPECT_TRUE(m_modes.empty());
    EXPECT_EQ(*m_file().read(), p.defaultFolder);
}

TEST_F(LoadDataPathTest, FirstRunFolderDoesNotReplaceAStoredMissingFolder)
{
    ASSERT_TRUE(m_file().add(m_home.file(QStringLiteral("gone"))));
    DataPathPrompt p = prompt(m_data);
    p.defaultFolder = m_home.file(QStringLiteral("Tarvo/Data"));
    ASSERT_TRUE(LoadDataPath(m_file(), p));
    EXPECT_EQ(m_modes, std::vector<int>{2});
    EXPECT_FALSE(QDir(p.defaultFolder).exists());
}

TEST(FindDataFolderTest, MissingPathFileIsCreatedAndAnUnreadableOneIsReported)
{
    test::TempDir home;
    home.useAsConfigHome();
    test::ScriptedMessages messages;
    const QString data = home.path();
    DataPathPrompt p;
    p.canAsk = [] { return true; };
    p.pathsDialog = [&](int mode) {
        PathFile f;
        ASSERT_TRUE(f.open());
        ASSERT_EQ(mode, 1);
        ASSERT_TRUE(f.add(data));
    };
    PathFile file;
    ASSERT_FALSE(QFile::exists(file.path()));
    auto folder = findDataFolder(file, p);
    ASSERT_TRUE(folder);
    EXPECT_EQ(*folder, data);
    EXPECT_FALSE(file.isOpen());

    // Not an SQLite file: reported with the file's name, never overwritten.
    QFile garbage(file.path());
    ASSERT_TRUE(garbage.open(QIODevice::WriteOnly | QIODevice::Truncate));
    garbage.write(QByteArray(4096, 'x'));
    garbage.close();
    EXPECT_FALSE(findDataFolder(file, p));
    ASSERT_EQ(messages.texts().size(), 1);
    EXPECT_TRUE(messages.texts().first().startsWith(QStringLiteral("Error opening file PATHS.db!|Error: ")));
    QFile check(file.path());
    ASSERT_TRUE(check.open(QIODevice::ReadOnly));
    EXPECT_EQ(check.readAll(), QByteArray(4096, 'x'));
}

} // namespace
} // namespace tarvo::core
