#pragma once

#include "platform/ui/WindowManager.h"

namespace tarvo::core::ui {

// The window of the "/C" conversion run: tells the user that the data files are being checked
// and that it closes by itself.
class DatenkonvertierenWindow final : public tarvo::ui::WindowManager {
    Q_OBJECT

  public:
    explicit DatenkonvertierenWindow(Context &context);

    bool open() override;
};

} // namespace tarvo::core::ui
