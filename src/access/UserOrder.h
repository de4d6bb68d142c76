#pragma once

#include "access/AccessRecords.h"

#include <vector>

namespace tarvo::access {

// Puts users in the order of their names as the store's case-insensitive name key has them,
// keeping equal names in their code order.
void sortUsersByName(std::vector<UserRecord> &users);

} // namespace tarvo::access
