#include "issues/attachments/AttachmentContent.h"

#include "core/helpers/BlobFiles.h"
#include "platform/data/ErrorCode.h"
#include "platform/data/FileManager.h"
#include "platform/data/Record.h"

#include <QBuffer>
#include <QFileInfo>
#include <QImageWriter>

namespace tarvo::issues {

QString AttachmentContent::tooLargeText()
{
    return QStringLiteral("The attachment is too large!|Attachments can have a max. size of 16MB!");
}

Result<void> AttachmentContent::readFile(data::Record &file, const QString &path)
{
    const QFileInfo info(path);
    if (info.exists() && info.size() > MaxSize)
        return makeError(TooLarge, tooLargeText());
    const int code = core::FileToBlob(file, blobField(), path);
    if (code != data::ErrorCode::None)
        return makeError(code, QStringLiteral("%1: %2").arg(path, data::errorCodeText(code)));
    // The file may have grown between the look and the read.
    if (file.bytes(blobField()).size() > MaxSize) {
        file.setValue(blobField(), QByteArray());
        return makeError(TooLarge, tooLargeText());
    }
    return {};
}

Result<QByteArray> AttachmentContent::encodePng(const QImage &image)
{
    if (image.isNull())
        return makeError(data::ErrorCode::InvalidDataFile, QStringLiteral("The clipboard holds no picture"));
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, "png");
    if (!writer.write(image.convertToFormat(QImage::Format_RGB888)) || bytes.isEmpty())
        return makeError(data::ErrorCode::FileSystemError, writer.errorString());
    if (bytes.size() > MaxSize)
        return makeError(TooLarge, tooLargeText());
    return bytes;
}

Result<void> AttachmentContent::read(data::FileManager &files, qint64 id, data::Record &file)
{
    file = files.newRecord();
    file.setValue(QStringLiteral("ATF:ID"), id);
    auto found = files.fetch(QStringLiteral("ATF:KeyID"), file);
    if (!found && found.error().code == data::ErrorCode::RecordNotFound) {
        file = files.newRecord();
        file.setValue(QStringLiteral("ATF:ID"), id);
        return {};
    }
    return found;
}

Result<void> AttachmentContent::write(data::FileManager &files, qint64 id, data::Record &file)
{
    file.setValue(QStringLiteral("ATF:ID"), id);
    if (file.rowId() == 0) {
        // Stored bytes another copy wrote under this number in the meantime are replaced.
        data::Record stored = files.newRecord();
        stored.setValue(QStringLiteral("ATF:ID"), id);
        if (files.fetch(QStringLiteral("ATF:KeyID"), stored))
            file.setRowId(stored.rowId());
    }
    return file.rowId() == 0 ? files.insert(file) : files.update(file);
}

} // namespace tarvo::issues
