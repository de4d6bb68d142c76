#pragma once

#include "platform/runtime/Result.h"

namespace tarvo::data {
class Record;
class Session;
} // namespace tarvo::data

namespace tarvo::issues {

// Copies an issue dropped with "Copy here" onto the program tree: `issue` is the dropped issue
// with the drop target's program (and release or program file) already set. The copy gets the
// next number, and the original's responsible persons and attachments (with their stored
// contents) are copied to it under new numbers; notes, history and mails are not. All in one
// transaction: a failure leaves no part of a copy behind. The answer is the new issue's number.
Result<qint64> CopyIssue(data::Session &session, const data::Record &issue);

} // namespace tarvo::issues
