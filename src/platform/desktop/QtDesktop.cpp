#include "platform/desktop/QtDesktop.h"

#include <QDesktopServices>

namespace tarvo {

bool QtDesktop::openUrl(const QUrl &url)
{
    return url.isValid() && QDesktopServices::openUrl(url);
}

bool QtDesktop::openFile(const QString &path)
{
    return !path.isEmpty() && QDesktopServices::openUrl(QUrl::fromLocalFile(path));
}

} // namespace tarvo
