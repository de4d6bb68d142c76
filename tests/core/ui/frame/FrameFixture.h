#pragma once

#include "core/services/AccessServices.h"
#include "core/services/IssueStandIn.h"
#include "core/ui/frame/TarvoFrame.h"
#include "core/ui/frame/TrayIcon.h"
#include "platform/runtime/ContextRegistry.h"
#include "support/ScriptedMessages.h"
#include "support/TempDir.h"

#include <QSet>
#include <QStringList>

#include <gtest/gtest.h>
#include <memory>

namespace tarvo::core::ui::test {

// The access library as a test wants it: refuses the keys it is told to and records the order.
class FakeAccess final : public AccessServices {
  public:
    QSet<QString> refused;
    QStringList asked;
    QString folder;
    QString dataFolder;
    QString code = QStringLiteral("ABC");
    QStringList passwordChanges; // "<code>|<forced>" per VUVUZU_CHANGEPASSWORD
    int useFilesMode = 0;

    bool login(const QString &, const QString &, const QString &) override { return true; }
    bool checkControl(const QString &key) override
    {
        asked.append(key);
        return !refused.contains(key);
    }
    QString getValue(const QString &key, const QString &) override
    {
        return key == QLatin1String("StatusBenutzer") ? QStringLiteral("Anna Berg (ABC)") : QString();
    }
    void changePassword(const QString &userCode, bool forced) override
    {
        passwordChanges.append(userCode + (forced ? QStringLiteral("|1") : QStringLiteral("|0")));
    }
    QString browseUsers(const QString &code) override { return code; }
    void useFiles(int mode) override { useFilesMode = mode; }
    void administration() override {}
    void repairDataFiles() override {}
    QString mak() const override { return code; }
    QString makOrdner() const override { return folder; }
    qint32 farbe() const override { return 0; }
    void setFarbe(qint32) override {}
    QString pfad() const override { return dataFolder; }
    void setPfad(const QString &f) override { dataFolder = f; }
    QString computerName() const override { return QStringLiteral("desk"); }
};

// A tray that exists without a desktop.
class FakeTray final : public TrayIcon {
  public:
    bool addIcon(const QString &, const QString &) override { return added = true; }
    void removeIcon() override { added = false; }
    void popup(QMenu &) override { ++popups; }
    void click(int event) const { post(event); }
    bool added = false;
    int popups = 0;
};

// The issue browse as a plain child window "Issues" on a context of its own, so that the frame
// has a list to send record buttons to and to close and restart.
class ChildIssues final : public IssueStandIn {
  public:
    explicit ChildIssues(ContextRegistry &registry) : m_registry(registry) {}
    int browseBugs() override;

  private:
    ContextRegistry &m_registry;
};

// A frame on its own registry, program folder and user folder.
class FrameFixture : public testing::Test {
  protected:
    void SetUp() override;
    void TearDown() override;

    // Writes a User.ini value before the frame opens.
    void userIni(const QString &section, const QString &key, const QString &value);
    QString userIniValue(const QString &section, const QString &key) const;
    // Opens the frame and lets the toolbar chain run.
    TarvoFrame &openFrame(bool withTray = false);
    void closeFrame();
    void settle(int rounds = 30);
    QStringList toolbarNames() const;

    tarvo::test::TempDir m_dir;
    tarvo::test::ScriptedMessages m_messages;
    FakeAccess m_access;
    ContextRegistry m_registry;
    ChildIssues m_issues{m_registry};
    QString m_language; // the settings' language the frame opens with
    std::unique_ptr<TarvoFrame> m_frame;
    FakeTray *m_tray = nullptr;
};

} // namespace tarvo::core::ui::test
