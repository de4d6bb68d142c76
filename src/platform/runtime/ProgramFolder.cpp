#include "platform/runtime/ProgramFolder.h"

#include "platform/runtime/ProgramInfo.h"

#include <QDir>

namespace tarvo {

QString ProgramFolder::path()
{
    // The XDG base directory rules allow only absolute paths; anything else is ignored.
    QString base = qEnvironmentVariable("XDG_CONFIG_HOME");
    if (base.isEmpty() || QDir::isRelativePath(base))
        base = QDir::homePath() + QStringLiteral("/.config");
    const QString folder = QDir::cleanPath(base + u'/' + ProgramInfo::productName());
    QDir().mkpath(folder);
    return folder;
}

QString ProgramFolder::filePath(const QString &name)
{
    return path() + u'/' + name;
}

} // namespace tarvo
