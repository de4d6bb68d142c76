#include "issues/attachments/TempCopies.h"

#include "platform/data/ErrorCode.h"

#include <QDir>
#include <QFileInfo>
#include <QSaveFile>
#include <QTemporaryDir>

#include <algorithm>

namespace tarvo::issues {

namespace {

// Characters that no file name may hold on any desktop the copy is opened on.
bool isForbidden(QChar c)
{
    return c.unicode() < 0x20 || QStringLiteral("/\\:*?\"<>|").contains(c);
}

QString plainName(const QString &text)
{
    QString name;
    for (const QChar c : text)
        name += isForbidden(c) ? QLatin1Char('_') : c;
    name = name.trimmed();
    while (name.startsWith(QLatin1Char('.')))
        name.remove(0, 1);
    return name;
}

} // namespace

QString TempCopies::baseFolder(const QString &attachPath, const QString &dataFolder)
{
    const QString given = attachPath.trimmed();
    if (!given.isEmpty())
        return QDir::cleanPath(QDir::fromNativeSeparators(given));
    return QDir::cleanPath(QDir::fromNativeSeparators(dataFolder.trimmed()) + QStringLiteral("/Temp"));
}

QString TempCopies::safeFileName(const QString &storedName)
{
    QString last = storedName.trimmed();
    const qsizetype cut = std::max(last.lastIndexOf(QLatin1Char('\\')), last.lastIndexOf(QLatin1Char('/')));
    last = plainName(last.mid(cut + 1));
    return last.isEmpty() ? QStringLiteral("Attachment") : last;
}

TempCopies::TempCopies(const QString &baseFolder, const QString &userCode)
{
    QString user = plainName(userCode);
    if (user.isEmpty())
        user = QStringLiteral("user");
    m_userFolder = QDir::cleanPath(baseFolder + QLatin1Char('/') + user);
}

TempCopies::~TempCopies()
{
    removeAll();
}

Result<QString> TempCopies::write(const QByteArray &bytes, const QString &storedName)
{
    if (!QDir().mkpath(m_userFolder))
        return makeError(data::ErrorCode::AccessDenied,
                         QStringLiteral("The folder %1 cannot be created").arg(m_userFolder));
    // A folder of its own for each copy: two attachments of the same name, or two copies open
    // at once, never overwrite each other, and the copy keeps the name its program expects.
    QTemporaryDir folder(m_userFolder + QStringLiteral("/copy-XXXXXX"));
    if (!folder.isValid())
        return makeError(data::ErrorCode::AccessDenied, folder.errorString());
    folder.setAutoRemove(false);
    const QString path = folder.filePath(safeFileName(storedName));
    if (QFileInfo(path).absolutePath() != QFileInfo(folder.path()).absoluteFilePath()) {
        QDir(folder.path()).removeRecursively();
        return makeError(data::ErrorCode::AccessDenied, QStringLiteral("%1 leaves its folder").arg(path));
    }
    QSaveFile out(path);
    if (!out.open(QIODevice::WriteOnly) || out.write(bytes) != bytes.size() || !out.commit()) {
        const QString why = out.errorString();
        QDir(folder.path()).removeRecursively();
        return makeError(data::ErrorCode::FileSystemError, why);
    }
    m_written << path;
    return path;
}

void TempCopies::remove(const QString &path)
{
    if (!m_written.removeOne(path))
        return;
    QDir(QFileInfo(path).absolutePath()).removeRecursively();
}

void TempCopies::removeAll()
{
    const QStringList written = m_written;
    for (const QString &path : written)
        remove(path);
}

} // namespace tarvo::issues
