#include "platform/runtime/ContextRegistry.h"
#include "platform/ui/WindowManager.h"
#include "support/RecordingDesktop.h"
#include "support/ScriptedMessages.h"

#include <QAction>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QMainWindow>
#include <QPushButton>
#include <QStatusBar>
#include <QTest>
#include <QUrl>
#include <QVBoxLayout>

#include <gtest/gtest.h>

namespace tarvo::ui {
namespace {

// A window with an entry and a Help button, sitting in a frame whose menu answers F1 with the
// help's contents, as the program's windows sit in its main window.
class HelpWindows : public ::testing::Test {
  protected:
    void SetUp() override
    {
        frame.resize(400, 300);
        contents = frame.addAction(QStringLiteral("&Contents"));
        contents->setShortcut(QKeySequence(Qt::Key_F1));
        QObject::connect(contents, &QAction::triggered, &frame, [this]() { ++contentsShown; });
        outside = new QLineEdit;
        frame.statusBar()->addWidget(outside);
        auto *widget = new QWidget;
        auto *layout = new QVBoxLayout(widget);
        entry = new QLineEdit(widget);
        help = new QPushButton(QStringLiteral("&Help"), widget);
        layout->addWidget(entry);
        layout->addWidget(help);
        frame.setCentralWidget(widget);
        manager = std::make_unique<WindowManager>(*context, QStringLiteral("HelpWindow"));
        manager->setDeleteOnClose(false);
        manager->setWindow(widget);
        frame.show();
        frame.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&frame));
        entry->setFocus();
    }
    void TearDown() override
    {
        for (const QString &page : written)
            QFile::remove(page);
    }
    // A page of the program's help that exists while the test runs.
    QString writePage(const QString &name)
    {
        const QString folder = QCoreApplication::applicationDirPath() + QStringLiteral("/help");
        EXPECT_TRUE(QDir().mkpath(folder));
        const QString page = folder + u'/' + name;
        if (!QFile::exists(page)) {
            QFile file(page);
            EXPECT_TRUE(file.open(QIODevice::WriteOnly));
            written << page;
        }
        return page;
    }

    tarvo::test::ScriptedMessages messages;
    tarvo::test::RecordingDesktop desktop;
    std::shared_ptr<Context> context = std::make_shared<Context>(3);
    QMainWindow frame;
    QAction *contents = nullptr;
    QLineEdit *entry = nullptr;
    QLineEdit *outside = nullptr;
    QPushButton *help = nullptr;
    std::unique_ptr<WindowManager> manager;
    QStringList written;
    int contentsShown = 0;
};

TEST_F(HelpWindows, TheKeyAndTheButtonOpenTheWindowsPageNotTheFramesContents)
{
    const QString path = writePage(QStringLiteral("Help key test page.htm"));
    manager->setHelp(help, QStringLiteral("Help key test page.htm"));
    QTest::keyClick(entry, Qt::Key_F1);
    help->click();
    const QString url = QUrl::fromLocalFile(path).toString();
    EXPECT_EQ(desktop.opened, (QStringList{url, url}));
    EXPECT_EQ(contentsShown, 0) << "the frame's F1 took the key";
    EXPECT_TRUE(messages.texts().isEmpty()) << qPrintable(messages.texts().join(u'\n'));

    // Outside the window the key is the frame's again.
    outside->setFocus();
    QTest::keyClick(outside, Qt::Key_F1);
    EXPECT_EQ(contentsShown, 1);
    EXPECT_EQ(desktop.opened.size(), 2);
}

TEST_F(HelpWindows, AMissingPageIsSaidWithItsPathAndAWindowWithoutATopicOpensTheContents)
{
    const QString folder = QCoreApplication::applicationDirPath() + QStringLiteral("/help/");
    manager->setHelp(help, QStringLiteral("../No such page.htm"));
    help->click();
    EXPECT_TRUE(desktop.opened.isEmpty());
    EXPECT_EQ(messages.texts(), QStringList{QStringLiteral("The help page \"") + folder +
                                            QStringLiteral("No such page.htm\" could not be found!")});
    EXPECT_TRUE(help->property(WindowManager::KeepInViewMode).toBool());

    const QString contentsPage = writePage(QStringLiteral("Tarvo.html"));
    EXPECT_TRUE(WindowManager::showHelp(QString()));
    EXPECT_EQ(desktop.opened, QStringList{QUrl::fromLocalFile(contentsPage).toString()});
}

} // namespace
} // namespace tarvo::ui
