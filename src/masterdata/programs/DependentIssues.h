#pragma once

#include "platform/runtime/Result.h"

#include <QString>

namespace tarvo::data {
class Session;
}

namespace tarvo::masterdata {

// The issues reported against one release or one program file of a program: whether the release
// or file is already there, and the deletion of those issues when the user asks for it after the
// release or file has gone.
class DependentIssues final {
  public:
    explicit DependentIssues(data::Session &session) : m_session(session) {}

    // True when the program has a release with this text / a file with this name.
    Result<bool> releaseExists(qint64 programId, const QString &release);
    Result<bool> programFileExists(qint64 programId, const QString &file);

    // Deletes, with their own dependent records, the issues of the program whose version is the
    // release / whose program file is the file; one transaction. The number deleted.
    Result<int> removeIssuesOfRelease(qint64 programId, const QString &release);
    Result<int> removeIssuesOfProgramFile(qint64 programId, const QString &file);

  private:
    Result<bool> exists(const QString &label, const QString &key, const QString &field, qint64 programId,
                        const QString &value);
    Result<int> removeIssues(const QString &key, qint64 programId, const QString &value);

    data::Session &m_session;
};

} // namespace tarvo::masterdata
