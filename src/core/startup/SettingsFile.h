#pragma once

#include "platform/runtime/Result.h"

#include <QString>

namespace tarvo::core {

// The settings file (Parameter) of the data folder as the start-up opens it: through the layout
// upgrade, kept open for the whole run, its one record in the shared buffer (SettingsRecord).
class SettingsFile {
  public:
    virtual ~SettingsFile() = default;

    // Opens the file; code 2 when it does not exist, and nothing is created then.
    virtual Result<void> open() = 0;
    // Makes the missing file (empty).
    virtual Result<void> create() = 0;
    // Reads the first record into the shared buffer; false when the file holds none.
    virtual Result<bool> readFirst() = 0;
    // Adds the record of a new data folder and keeps it in the shared buffer.
    virtual Result<void> addDefaults() = 0;
    virtual Result<void> close() = 0;
    // The file's name for messages.
    virtual QString name() const = 0;
    // A field of the shared buffer as text, trailing blanks removed ("Language", "COLOR").
    virtual QString text(const QString &field) const = 0;
};

} // namespace tarvo::core
