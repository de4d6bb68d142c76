#pragma once

#include <QUrl>

#include <functional>

namespace tarvo::core::ui {

// Where the frame opens web pages, manuals and the help: the desktop, or a recorder in tests.
class FrameDesktop final {
  public:
    using Opener = std::function<bool(const QUrl &)>;
    static bool open(const QUrl &url);
    // An empty opener restores the desktop's.
    static void setOpener(Opener opener);
};

} // namespace tarvo::core::ui
