#pragma once

#include "core/lists/UserQueue.h"

#include <QString>

#include <vector>

namespace tarvo::core {

class AccessServices;

// The most the access library hands over for the user list.
constexpr int AllMAKUserNamesMaxLength = 8192;

// Splits the access library's user text: entries separated by "°", each "salutation|code|name".
// An empty text gives one row with empty fields, as the library's empty answer always did.
std::vector<UserQueueEntry> parseAllMAKUserNames(const QString &text);

// Refills the user list from the access library's "AllMAKUserNames" value.
void AllMAKUserNames(AccessServices &access, UserQueue &queue = UserQueue::global());

} // namespace tarvo::core
