#include "core/frame/UserList.h"

namespace tarvo::core {

// The user list's filler arrives with the drop-down list helpers.
void refillUserList(AccessServices &access) { (void)access; }

} // namespace tarvo::core
