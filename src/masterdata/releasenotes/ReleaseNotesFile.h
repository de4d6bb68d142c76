#pragma once

#include "platform/runtime/Result.h"

#include <QByteArray>
#include <QString>

#include <memory>

class QSaveFile;

namespace tarvo::masterdata {

// The text file that release notes are written to: UTF-8, with the line ends the file already
// has (CRLF for a new or empty file). Nothing reaches the disk until commit(), so a run that fails
// leaves the file as it was; an appended run keeps what the file held before it.
class ReleaseNotesFile final {
  public:
    ReleaseNotesFile();
    ~ReleaseNotesFile();
    ReleaseNotesFile(const ReleaseNotesFile &) = delete;
    ReleaseNotesFile &operator=(const ReleaseNotesFile &) = delete;

    // append: the file must exist (code 2 when it does not); otherwise it is created afresh.
    Result<void> open(const QString &path, bool append);
    // One write: the text and a line end; line breaks inside it become the file's line end.
    Result<void> writeLine(const QString &text);
    // Replaces the file with what was written; the file is closed either way.
    Result<void> commit();

    QByteArray lineEnd() const { return m_lineEnd; }

  private:
    Result<void> fail(int code);

    std::unique_ptr<QSaveFile> m_file;
    QString m_path;
    QByteArray m_lineEnd = "\r\n";
};

} // namespace tarvo::masterdata
