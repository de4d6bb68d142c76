#pragma once

#include "platform/runtime/Result.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

namespace tarvo::issues {

// The temporary copies one attachment form writes of stored files, so that a program or a preview
// can open them: each in a folder of its own under the user's temporary folder, under the last
// part of the stored name, which can never lead out of that folder. Deleted when the form closes.
class TempCopies final {
  public:
    // The folder for temporary copies: "AttachPath" when given, else the data folder's "Temp".
    static QString baseFolder(const QString &attachPath, const QString &dataFolder);
    // The last part of a stored name ("C:\docs\a.pdf", "../x"), as a plain file name; a name that
    // leaves nothing usable becomes "Attachment".
    static QString safeFileName(const QString &storedName);

    // Copies go below baseFolder/<user>; the user's code is made a plain folder name as well.
    TempCopies(const QString &baseFolder, const QString &userCode);
    ~TempCopies();
    TempCopies(const TempCopies &) = delete;
    TempCopies &operator=(const TempCopies &) = delete;

    const QString &userFolder() const { return m_userFolder; }
    // Writes the bytes to a new copy and returns its path.
    Result<QString> write(const QByteArray &bytes, const QString &storedName);
    // Deletes one copy this object wrote (with its folder); other paths are left alone.
    void remove(const QString &path);
    // Deletes every copy this object wrote.
    void removeAll();

  private:
    QString m_userFolder;
    QStringList m_written;
};

} // namespace tarvo::issues
