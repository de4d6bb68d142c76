#pragma once

#include "platform/query/RegisteredFile.h"

namespace tarvo::issues {

// The issue file's field information for the query, export, import and mass-update wizards:
// the eighteen memos first, then the record's fields, each with its display picture and note.
QString issueFieldInformation();

// The issue file registered with that information.
Result<query::RegisteredFile> registeredIssues(const data::LayoutPtr &bugsLayout);

} // namespace tarvo::issues
