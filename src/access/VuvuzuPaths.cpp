#include "access/VuvuzuPaths.h"

#include "platform/runtime/ProgramFolder.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace tarvo::access {

QString VuvuzuPaths::programFolder()
{
    return ProgramFolder::path();
}

QString VuvuzuPaths::vuvuzuIni()
{
    return ProgramFolder::filePath(QStringLiteral("Vuvuzu.ini"));
}

QString VuvuzuPaths::securityFile(const QString &name)
{
    const QString clean = name.trimmed();
    if (clean.isEmpty())
        return QString();
    if (QFileInfo(clean).isAbsolute())
        return QFileInfo(clean).isFile() ? clean : QString();
    // Only a plain file name is looked up in the folders below.
    if (clean.contains(u'/') || clean.contains(u'\\') || clean.contains(QStringLiteral("..")))
        return QString();
    for (const QString &folder : {programFolder(), QCoreApplication::applicationDirPath()}) {
        const QString candidate = folder + u'/' + clean;
        if (!folder.isEmpty() && QFileInfo(candidate).isFile())
            return candidate;
    }
    const QString builtIn = QStringLiteral(":/vuvuzu/") + clean;
    return QFile::exists(builtIn) ? builtIn : QString();
}

} // namespace tarvo::access
