#pragma once

#include "platform/runtime/Result.h"

#include <QString>
#include <QVariant>

namespace tarvo::core {

// The path file "PATHS.db" in the program's folder: an SQLite file whose one table (PATHS, as the
// dictionary declares it) holds record 1 naming the data folder. It is opened plainly: never
// through the layout upgrade, and without file managers.
class PathFile final {
  public:
    static constexpr int ErrorFileNotFound = 2;
    static constexpr int ErrorRecordNotFound = 35;
    static constexpr int ErrorInvalidFile = 36;
    static constexpr int ErrorFileSystem = 90;

    // "PATHS.db" in the program's folder.
    static QString defaultPath();

    explicit PathFile(QString path = defaultPath());
    ~PathFile();
    PathFile(const PathFile &) = delete;
    PathFile &operator=(const PathFile &) = delete;

    const QString &path() const { return m_path; }
    // The file's name as messages show it.
    QString fileName() const;

    // Code 2 when the file or its table does not exist (nothing is created then).
    Result<void> open();
    // Makes the file and its table; the records of an existing file stay.
    Result<void> create();
    void close();
    bool isOpen() const { return !m_connection.isEmpty(); }

    // The folder of record 1 (trailing blanks removed); code 35 when there is no record 1.
    Result<QString> read();
    // Adds record 1, or writes the existing record 1 back.
    Result<void> add(const QString &folder);
    Result<void> update(const QString &folder);

  private:
    Result<void> exec(const QString &sql, const QVariantList &params = {});

    QString m_path;
    QString m_connection;
};

} // namespace tarvo::core
