#pragma once

#include "platform/desktop/Desktop.h"

namespace tarvo {

// The real desktop: QDesktopServices, which starts the associated program with an argument list.
class QtDesktop final : public Desktop {
  public:
    bool openUrl(const QUrl &url) override;
    bool openFile(const QString &path) override;
};

} // namespace tarvo
