#include "core/ui/frame/FrameDesktop.h"

#include <QDesktopServices>

namespace tarvo::core::ui {

namespace {
FrameDesktop::Opener &opener()
{
    static FrameDesktop::Opener o;
    return o;
}
} // namespace

bool FrameDesktop::open(const QUrl &url)
{
    return opener() ? opener()(url) : QDesktopServices::openUrl(url);
}

void FrameDesktop::setOpener(Opener o)
{
    opener() = std::move(o);
}

} // namespace tarvo::core::ui
