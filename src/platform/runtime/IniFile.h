#pragma once

#include "platform/runtime/Result.h"

#include <QString>
#include <QStringList>

#include <memory>
#include <mutex>

namespace tarvo {

// An INI file with the Windows profile semantics: sections and keys compare without regard to
// case (kept in the case first written), values are raw text, every change goes to disk at once.
//
// The file is read afresh on every call, so objects on the same path (in any thread) always see
// each other's writes; all objects on one path share a lock, so concurrent changes lose nothing.
// A change is written to a temporary file and renamed over the old one: a crash leaves either
// the old or the new file, never half of one. A missing file reads as empty. On disk the file is
// UTF-8 with "key=value" lines; comments (";") and unknown lines are kept as they are.
class IniFile final {
  public:
    // Error codes of the Result of a change.
    static constexpr int ErrorInvalidEntry = 1; // a name or value that cannot be stored as one line
    static constexpr int ErrorFileSystem = 90;  // the file could not be read or written

    explicit IniFile(const QString &path);

    QString path() const { return m_path; }

    // The value of the key, or defaultValue when the section or the key is missing (or the file
    // cannot be read). An empty value is a value, not a missing key.
    QString value(const QString &section, const QString &key, const QString &defaultValue = {}) const;
    // The value as a whole number: leading blanks and an optional sign followed by digits (what
    // follows the digits is ignored); defaultValue when missing, not a number or out of range.
    int intValue(const QString &section, const QString &key, int defaultValue) const;
    bool contains(const QString &section, const QString &key) const;

    // Sets the value, creating section and key as needed. Section and key must be non-empty and
    // free of line breaks; the key must not hold "=" and the section not "]"; the value must be
    // free of line breaks.
    Result<void> setValue(const QString &section, const QString &key, const QString &value);
    Result<void> setIntValue(const QString &section, const QString &key, int value);
    // Removing what does not exist succeeds without touching the file.
    Result<void> removeKey(const QString &section, const QString &key);
    Result<void> removeSection(const QString &section);

    // Names in file order, each once, in the case in which the file first holds them.
    QStringList sections() const;
    QStringList keys(const QString &section) const;

  private:
    Result<QStringList> readLines() const;
    Result<void> writeLines(const QStringList &lines);

    QString m_path;
    std::shared_ptr<std::mutex> m_lock;
};

} // namespace tarvo
