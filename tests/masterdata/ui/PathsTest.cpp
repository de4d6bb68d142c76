#include "masterdata/ui/Paths.h"

#include "core/startup/PathFile.h"
#include "support/RecordingDesktop.h"
#include "support/ScriptedMessages.h"
#include "support/TempDir.h"

#include <QCoreApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QToolButton>

#include <gtest/gtest.h>

namespace tarvo::masterdata::ui {
namespace {

// The path dialog on a path file in a temporary program folder, its folder dialog answered.
class PathsTest : public ::testing::Test {
  protected:
    void SetUp() override
    {
        m_home.useAsConfigHome();
        core::PathFile file;
        ASSERT_TRUE(file.create());
        Paths::setFolderChooser([this](QWidget *, const QString &title, const QString &start) {
            m_chooserTitle = title;
            m_chooserStart = start;
            return m_chosen;
        });
    }
    void TearDown() override { Paths::setFolderChooser({}); }

    static Result<QString> stored()
    {
        core::PathFile file;
        if (auto opened = file.open(); !opened)
            return opened.error();
        return file.read();
    }
    static void store(const QString &folder)
    {
        core::PathFile file;
        ASSERT_TRUE(file.open());
        ASSERT_TRUE(file.add(folder));
    }
    static void press(Paths &dialog, const char *name)
    {
        auto *button = dialog.findChild<QAbstractButton *>(QString::fromLatin1(name));
        ASSERT_NE(button, nullptr) << name;
        button->click();
    }

    tarvo::test::TempDir m_home;
    tarvo::test::ScriptedMessages m_messages;
    tarvo::test::RecordingDesktop m_desktop;
    QString m_chosen;
    QString m_chooserTitle;
    QString m_chooserStart;
};

TEST_F(PathsTest, WindowHasItsCaptionTextsAndControls)
{
    Paths dialog(1, core::PathFile::defaultPath());
    dialog.show();
    EXPECT_EQ(dialog.windowTitle(), QStringLiteral("Path"));
    EXPECT_NE(dialog.findChild<QLineEdit *>(QStringLiteral("P")), nullptr);
    EXPECT_NE(dialog.findChild<QToolButton *>(QStringLiteral("DIRLOOK")), nullptr);
    for (const char *name : {"OK", "Cancel", "Help"})
        EXPECT_NE(dialog.findChild<QPushButton *>(QString::fromLatin1(name)), nullptr) << name;
    // The Help button and the help key ask for the dialog's page; it is missing here, which is said.
    press(dialog, "Help");
    QTest::keyClick(dialog.entry(), Qt::Key_F1);
    const QString missing = QStringLiteral("The help page \"%1/help/Path.htm\" could not be found!")
                                .arg(QCoreApplication::applicationDirPath());
    EXPECT_EQ(m_messages.texts(), (QStringList{missing, missing}));
    EXPECT_TRUE(m_desktop.opened.isEmpty());
    dialog.reject();
}

TEST_F(PathsTest, Mode1StartsEmptyAndAddsRecord1)
{
    Paths dialog(1);
    dialog.show();
    EXPECT_TRUE(dialog.entry()->text().isEmpty());
    dialog.entry()->setText(QStringLiteral("/srv/tarvo"));
    press(dialog, "OK");
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(*stored(), QStringLiteral("/srv/tarvo"));
    EXPECT_TRUE(m_messages.stops().isEmpty());
}

TEST_F(PathsTest, Mode2ShowsTheStoredFolderAndOverwritesIt)
{
    store(QStringLiteral("/old/place"));
    Paths dialog(2);
    dialog.show();
    EXPECT_EQ(dialog.entry()->text(), QStringLiteral("/old/place"));
    dialog.entry()->setText(QStringLiteral("/new/place"));
    press(dialog, "OK");
    EXPECT_EQ(*stored(), QStringLiteral("/new/place"));
}

TEST_F(PathsTest, CancelWritesNothing)
{
    {
        Paths dialog(1);
        dialog.entry()->setText(QStringLiteral("/srv/tarvo"));
        press(dialog, "Cancel");
        EXPECT_EQ(dialog.result(), QDialog::Rejected);
    }
    auto none = stored();
    ASSERT_FALSE(none);
    EXPECT_EQ(none.error().code, core::PathFile::ErrorRecordNotFound);
}

TEST_F(PathsTest, FolderButtonCutsOneTrailingSlashButATypedOneStays)
{
    Paths dialog(1);
    dialog.entry()->setText(QStringLiteral("/start"));
    m_chosen = QStringLiteral("/chosen/folder/");
    press(dialog, "DIRLOOK");
    EXPECT_EQ(m_chooserTitle, QStringLiteral("Lookup Directory..."));
    EXPECT_EQ(m_chooserStart, QStringLiteral("/start"));
    EXPECT_EQ(dialog.entry()->text(), QStringLiteral("/chosen/folder"));

    m_chosen.clear(); // the folder dialog cancelled: the entry stays
    press(dialog, "DIRLOOK");
    EXPECT_EQ(dialog.entry()->text(), QStringLiteral("/chosen/folder"));

    dialog.entry()->setText(QStringLiteral("/typed/folder/"));
    press(dialog, "OK");
    EXPECT_EQ(*stored(), QStringLiteral("/typed/folder/"));
}

TEST_F(PathsTest, OtherModesStartEmptyAndWriteNothing)
{
    store(QStringLiteral("/kept"));
    Paths dialog(3);
    EXPECT_TRUE(dialog.entry()->text().isEmpty());
    dialog.entry()->setText(QStringLiteral("/ignored"));
    press(dialog, "OK");
    EXPECT_EQ(*stored(), QStringLiteral("/kept"));
}

} // namespace
} // namespace tarvo::masterdata::ui
