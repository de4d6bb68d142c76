#pragma once

#include "core/ui/frame/TrayIcon.h"

#include <QSystemTrayIcon>

namespace tarvo::core::ui {

// The tray icon on a desktop that has a notification area.
class SystemTrayIcon final : public TrayIcon {
  public:
    SystemTrayIcon();
    bool addIcon(const QString &tip, const QString &icon) override;
    void removeIcon() override;
    void popup(QMenu &menu) override;

  private:
    QSystemTrayIcon m_icon;
};

} // namespace tarvo::core::ui
