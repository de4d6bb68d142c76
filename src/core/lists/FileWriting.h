#pragma once

#include "platform/data/Transaction.h"
#include "platform/runtime/Result.h"

#include <QString>

#include <memory>

namespace tarvo::data {
class FileManager;
class Session;
} // namespace tarvo::data

namespace tarvo::core {

// A file of the session with a transaction open on its connection, for writes that must stand or
// fall together; the transaction rolls back unless committed.
struct FileWriting final {
    data::FileManager *file = nullptr;
    std::unique_ptr<data::Transaction> transaction;

    // The file of that label with its transaction begun, or why there is none.
    static Result<FileWriting> begin(data::Session &session, const QString &label);
};

} // namespace tarvo::core
