#include "masterdata/releasenotes/ReleaseNotesFile.h"

#include "platform/data/ErrorCode.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QSaveFile>

namespace tarvo::masterdata {

namespace {

// The line end a file already uses: its first one decides; CRLF when it has none.
QByteArray lineEndOf(const QByteArray &content)
{
    const qsizetype lf = content.indexOf('\n');
    const qsizetype cr = content.indexOf('\r');
    if (lf < 0 && cr < 0)
        return QByteArrayLiteral("\r\n");
    if (cr >= 0 && (lf < 0 || cr < lf))
        return cr + 1 == lf ? QByteArrayLiteral("\r\n") : QByteArrayLiteral("\r");
    return QByteArrayLiteral("\n");
}

int codeOf(QFileDevice::FileError error)
{
    switch (error) {
    case QFileDevice::NoError:
        return data::ErrorCode::None;
    case QFileDevice::OpenError:
    case QFileDevice::PermissionsError:
        return data::ErrorCode::AccessDenied;
    default:
        return data::ErrorCode::FileSystemError;
    }
}

} // namespace

ReleaseNotesFile::ReleaseNotesFile() = default;

ReleaseNotesFile::~ReleaseNotesFile()
{
    // An uncommitted run leaves the file as it was.
    if (m_file)
        m_file->cancelWriting();
}

Result<void> ReleaseNotesFile::fail(int code)
{
    const QString text = data::errorCodeText(code);
    if (m_file) {
        m_file->cancelWriting();
        m_file.reset();
    }
    return makeError(code, QStringLiteral("%1: %2").arg(text, m_path));
}

Result<void> ReleaseNotesFile::open(const QString &path, bool append)
{
    m_path = path;
    m_lineEnd = QByteArrayLiteral("\r\n");
    if (path.trimmed().isEmpty())
        return fail(data::ErrorCode::FileNotFound);
    const QFileInfo info(path);
    if (!info.dir().exists() || (append && !info.exists()) || info.isDir())
        return fail(info.isDir() ? data::ErrorCode::AccessDenied : data::ErrorCode::FileNotFound);

    QByteArray kept;
    if (append) {
        QFile existing(path);
        if (!existing.open(QIODevice::ReadOnly))
            return fail(codeOf(existing.error()));
        kept = existing.readAll();
        if (existing.error() != QFileDevice::NoError)
            return fail(data::ErrorCode::FileSystemError);
        m_lineEnd = lineEndOf(kept);
    }
    m_file = std::make_unique<QSaveFile>(path);

    if (!m_file->open(QIODevice::WriteOnly))
        return fail(codeOf(m_file->error()));
    if (!kept.isEmpty() && m_file->write(kept) != kept.size())
        return fail(codeOf(m_file->error()));
    return {};
}

Result<void> ReleaseNotesFile::writeLine(const QString &text)
{
    if (!m_file)
        return makeError(data::ErrorCode::FileNotOpen, data::errorCodeText(data::ErrorCode::FileNotOpen));
    static const QRegularExpression breaks(QStringLiteral("\r\n|\r|\n"));
    QString line = text;
    line.replace(breaks, QString::fromLatin1(m_lineEnd));
    const QByteArray bytes = line.toUtf8() + m_lineEnd;
    if (m_file->write(bytes) != bytes.size())
        return fail(codeOf(m_file->error()));
    return {};
}

Result<void> ReleaseNotesFile::commit()
{
    if (!m_file)
        return makeError(data::ErrorCode::FileNotOpen, data::errorCodeText(data::ErrorCode::FileNotOpen));
    const bool committed = m_file->commit();
    const int code = committed ? 0 : codeOf(m_file->error());
    m_file.reset();
    if (!committed)
        return makeError(code ? code : data::ErrorCode::FileSystemError, m_path);
    return {};
}

} // namespace tarvo::masterdata
