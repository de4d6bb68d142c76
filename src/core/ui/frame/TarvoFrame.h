#pragma once

#include "core/frame/FrameUserSettings.h"
#include "core/frame/ToolbarChain.h"
#include "core/ui/frame/FrameCommands.h"
#include "core/ui/frame/FrameSetup.h"
#include "core/ui/frame/FrameToolbars.h"
#include "core/ui/frame/IniWindowPositionStore.h"
#include "core/ui/frame/TrayIcon.h"
#include "platform/ui/WindowManager.h"

#include <QLocale>
#include <QMenu>
#include <QTimer>

#include <memory>

namespace tarvo::core::ui {

class FrameWindow;

// TARVO: the application frame on the first context. It opens hidden, applies the user's rights
// to its menu, builds SecP, starts the issue browse and the toolbar chain, and shows itself when
// the chain has ended; it forwards the toolbars' record buttons to the active child window.
class TarvoFrame final : public tarvo::ui::WindowManager {
    Q_OBJECT

  public:
    TarvoFrame(Context &first, FrameSetup setup);
    ~TarvoFrame() override;

    bool open() override;
    bool close() override;
    bool takeEvent(int event, const QVariant &data) override;
    void takeAccepted(const QString &controlName) override;
    QWidget *frame() const override;

    FrameWindow *frameWindow() const;
    TrayIcon *tray() const { return m_tray.get(); }
    QMenu &trayMenu() { return m_trayMenu; }
    const FrameUserSettings &userSettings() const { return m_settings; }
    QString userIniPath() const { return m_userIniPath; }

    // "Reset window positions": closes every window but the toolbars, then deletes "Tarvo.INI".
    void resetWindowPositions();
    // Fills the date and time zones of the status bar.
    void updateClock();
    void disableRecordButtonsWithoutWindow();

  private:
    void runChainStep(const ToolbarChain::Step &step);
    void showAtChainEnd();
    void createTray();
    void restoreFromTray();
    void buildSecP();
    void applyMenuRights();
    void showDemoFeature();
    void finishReset();
    void startBrowseBugs();
    void post(int event, const QVariant &data = {});

    FrameSetup m_setup;
    IniWindowPositionStore m_positions;
    QString m_userIniPath;
    FrameUserSettings m_settings;
    FrameCommands m_commands;
    std::unique_ptr<FrameToolbars> m_toolbars;
    std::unique_ptr<TrayIcon> m_tray;
    QMenu m_trayMenu;
    QTimer m_clock;
    QStringList m_weekdays;
    // The long date and time of the status bar in the interface language.
    QLocale m_clockLocale = QLocale::system();
    bool m_opening = false;
    bool m_closing = false;
    bool m_maximized = false;
};

} // namespace tarvo::core::ui
