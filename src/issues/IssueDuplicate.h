#pragma once

#include "issues/DuplicateChoices.h"
#include "platform/runtime/Result.h"

namespace tarvo::data {
class Record;
class Session;
} // namespace tarvo::data

namespace tarvo::issues {

// Makes the new issue `issue` (primed, its number claimed) a copy of issue `sourceId`: every field
// and all eighteen memos but those the choices leave out, a new created stamp and no changed stamp,
// and copies of the source's responsible persons and, as chosen, its attachments (with their
// stored files) and notes under the new number, in one transaction. A source that is gone leaves
// the new issue as primed.
Result<void> duplicateIssue(data::Session &session, data::Record &issue, qint32 sourceId,
                            const DuplicateChoices &choices);

} // namespace tarvo::issues
