#include "platform/desktop/HelpPages.h"

#include "platform/desktop/Desktop.h"

#include <QFileInfo>
#include <QUrl>

namespace tarvo {

QString HelpPages::page(const QStringList &folders, const QString &topic)
{
    const QString name = QFileInfo(topic).fileName();
    for (const QString &folder : folders) {
        const QString path = folder + u'/' + name;
        if (QFileInfo(path).isFile())
            return path;
    }
    return folders.isEmpty() ? name : folders.first() + u'/' + name;
}

HelpPages::Outcome HelpPages::open(const QString &path)
{
    if (!QFileInfo(path).isFile())
        return Outcome::NotFound;
    return Desktop::instance().openUrl(QUrl::fromLocalFile(path)) ? Outcome::Opened : Outcome::NotOpened;
}

} // namespace tarvo
