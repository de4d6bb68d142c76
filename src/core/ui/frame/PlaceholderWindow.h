#pragma once

#include "platform/ui/WindowManager.h"

namespace tarvo::core::ui {

// A child window that stands in for a window not built yet: it says what will open here.
class PlaceholderWindow final : public tarvo::ui::WindowManager {
    Q_OBJECT

  public:
    PlaceholderWindow(Context &context, const QString &procedureName, const QString &title,
                      const QString &text);
    bool takeEvent(int event, const QVariant &data) override;
};

} // namespace tarvo::core::ui
