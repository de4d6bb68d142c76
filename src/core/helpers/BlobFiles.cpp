#include "core/helpers/BlobFiles.h"

#include "platform/data/ErrorCode.h"
#include "platform/data/Record.h"
#include "platform/runtime/Text.h"

#include <QByteArray>
#include <QFile>
#include <QFileInfo>

#include <algorithm>

namespace tarvo::core {

namespace {

constexpr qint64 kPieceSize = 32768;

// The runtime's code for what went wrong with a disk file.
int fileErrorCode(const QFile &file)
{
    switch (file.error()) {
    case QFileDevice::NoError:
        return data::ErrorCode::None;
    case QFileDevice::PermissionsError:
        return data::ErrorCode::AccessDenied;
    case QFileDevice::OpenError:
        return QFileInfo::exists(file.fileName()) ? data::ErrorCode::AccessDenied
                                                  : data::ErrorCode::FileNotFound;
    default:
        return data::ErrorCode::FileSystemError;
    }
}

} // namespace

int BlobToFile(const data::Record &record, const QString &blobField, const QString &fileName)
{
    const QString name = Text::clip(fileName);
    if (name.isEmpty())
        return data::ErrorCode::InvalidDataFile;
    const QByteArray blob = record.bytes(blobField);
    if (blob.isEmpty())
        return data::ErrorCode::None;
    QFile out(name);
    if (!out.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return fileErrorCode(out);
    int code = data::ErrorCode::None;
    for (qint64 at = 0; at < blob.size(); at += kPieceSize) {
        const qint64 piece = std::min(kPieceSize, qint64(blob.size()) - at);
        if (out.write(blob.constData() + at, piece) != piece) {
            code = std::max(fileErrorCode(out), int(data::ErrorCode::FileSystemError));
            break;
        }
    }
    if (!out.flush() && code == data::ErrorCode::None)
        code = data::ErrorCode::FileSystemError;
    out.close();
    return code;
}

int FileToBlob(data::Record &record, const QString &blobField, const QString &fileName)
{
    const QString name = Text::clip(fileName);
    if (name.isEmpty())
        return data::ErrorCode::InvalidDataFile;
    QFile in(name);
    if (!in.open(QIODevice::ReadOnly))
        return fileErrorCode(in);
    const qint64 size = in.size();
    if (size == 0)
        return data::ErrorCode::InvalidDataFile;
    QByteArray contents(size, Qt::Uninitialized);
    for (qint64 at = 0; at < size; at += kPieceSize) {
        const qint64 piece = std::min(kPieceSize, size - at);
        if (in.read(contents.data() + at, piece) != piece)
            return std::max(fileErrorCode(in), int(data::ErrorCode::FileSystemError));
    }
    record.setValue(blobField, contents);
    return data::ErrorCode::None;
}

} // namespace tarvo::core
