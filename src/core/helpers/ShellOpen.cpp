#include "core/helpers/ShellOpen.h"

#include "platform/desktop/Desktop.h"
#include "platform/runtime/Text.h"

#include <QFileInfo>
#include <QRegularExpression>
#include <QUrl>

namespace tarvo::core {

void ShellOpen(qint64 handle, const QString &text)
{
    (void)handle;
    const QString target = Text::clip(text);
    if (target.isEmpty())
        return;
    // A scheme has two letters at least, so a drive letter ("C:") is no address.
    static const QRegularExpression scheme(QStringLiteral("^[A-Za-z][A-Za-z0-9+.-]+:"));
    if (scheme.match(target).hasMatch()) {
        Desktop::instance().openUrl(QUrl(target, QUrl::TolerantMode));
        return;
    }
    if (target.startsWith(QLatin1String("www."), Qt::CaseInsensitive)) {
        Desktop::instance().openUrl(QUrl(QStringLiteral("http://") + target, QUrl::TolerantMode));
        return;
    }
    Desktop::instance().openFile(QFileInfo(target).absoluteFilePath());
}

} // namespace tarvo::core
