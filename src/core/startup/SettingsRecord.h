#pragma once

#include "core/startup/SettingsValues.h"
#include "platform/data/Record.h"
#include "platform/runtime/Result.h"

#include <QString>

#include <functional>
#include <mutex>

namespace tarvo::core {

// The one settings record (Parameter) of the run, shared by every context. The start-up fills
// it; the options window changes it in place. Every access holds the lock, so a worker thread
// never reads a record half-changed.
class SettingsRecord final {
  public:
    static SettingsRecord &instance();

    // False until the start-up has read or created the record.
    bool isLoaded() const;
    void set(const data::Record &record);
    void clear();

    // A copy of the record.
    data::Record record() const;
    // A field by name ("Language" or "PAR:Language") as text, trailing blanks removed; numbers
    // in decimal. Empty before the record is loaded or for an unknown field.
    QString text(const QString &field) const;
    qint64 integer(const QString &field) const;
    // A copy of the record behind its typed accessors.
    SettingsValues values() const { return SettingsValues(record()); }
    // Changes the record under the lock.
    void update(const std::function<void(data::Record &)> &change);
    void updateValues(const std::function<void(SettingsValues &)> &change);
    // Replaces the record as a whole once `write` has stored it, both under the lock, so no
    // thread ever sees values that did not reach the file; on an error the record stays as it was.
    Result<void> publish(const data::Record &record,
                         const std::function<Result<void>(const data::Record &)> &write);

  private:
    mutable std::mutex m_lock;
    data::Record m_record;
};

} // namespace tarvo::core
