#include "core/ui/frame/Tarvo.h"

#include "core/ui/frame/FrameMdi.h"
#include "core/ui/frame/TarvoFrame.h"

#include <QEventLoop>

namespace tarvo::core::ui {

int TARVO(Context &first, const FrameSetup &setup)
{
    auto frame = std::make_unique<TarvoFrame>(first, setup);
    frame->setDeleteOnClose(false);
    QEventLoop loop;
    // Queued, so that the windows told to close with the frame have closed before TARVO returns.
    QObject::connect(frame.get(), &tarvo::ui::WindowManager::closed, &loop, [&loop]() {
        QMetaObject::invokeMethod(&loop, &QEventLoop::quit, Qt::QueuedConnection);
    });
    if (!frame->open())
        return 1;
    loop.exec();
    frame.reset();
    FrameMdi::setArea(nullptr);
    return 0;
}

} // namespace tarvo::core::ui
