#pragma once

#include <QString>

namespace tarvo::data {
class Record;
}

namespace tarvo::core {

// Copies the BLOB field `blobField` of `record` to the disk file `fileName` (replacing it), in
// pieces of at most 32768 bytes. Returns 0, 36 for an empty name, or the code of the failed
// create or write. An empty BLOB creates no file and returns 0.
int BlobToFile(const data::Record &record, const QString &blobField, const QString &fileName);

// Reads the disk file `fileName` into the BLOB field `blobField` of `record`, in pieces of at most
// 32768 bytes. The file is only read, so a read-only file can be attached. Returns 0, 36 for an
// empty name or an empty file, or the code of the failed open or read; the BLOB keeps its old
// contents unless the whole file was read.
int FileToBlob(data::Record &record, const QString &blobField, const QString &fileName);

} // namespace tarvo::core
