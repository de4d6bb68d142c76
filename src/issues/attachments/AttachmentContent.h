#pragma once

#include "platform/runtime/Result.h"

#include <QByteArray>
#include <QImage>
#include <QString>

namespace tarvo::data {
class FileManager;
class Record;
} // namespace tarvo::data

namespace tarvo::issues {

// The stored bytes of an attachment (file AttachmentFiles): read from a disk file or a pasted
// picture within the size limit, and read and written under the attachment's number.
class AttachmentContent final {
  public:
    // The largest file an attachment may hold.
    static constexpr qint64 MaxSize = qint64(16) * 1024 * 1024;
    // The error code of a file above MaxSize; its message is tooLargeText().
    static constexpr int TooLarge = 1601;
    static QString tooLargeText();
    static QString blobField() { return QStringLiteral("ATF:ATTACHEDFILE"); }

    // Reads the disk file into the record's BLOB; the BLOB stays as it was on any error (the
    // message names the file and what went wrong).
    static Result<void> readFile(data::Record &file, const QString &path);
    // The picture as PNG bytes; an error (and no bytes) when it cannot be encoded or is too large.
    static Result<QByteArray> encodePng(const QImage &image);

    // Reads the stored bytes of attachment `id` into `file`; a new record of that number when
    // nothing is stored yet.
    static Result<void> read(data::FileManager &files, qint64 id, data::Record &file);
    // Writes `file` as the stored bytes of attachment `id`: added when new, else changed.
    static Result<void> write(data::FileManager &files, qint64 id, data::Record &file);
};

} // namespace tarvo::issues
