#include "core/frame/UserList.h"

#include "core/lists/AllMAKUserNames.h"

namespace tarvo::core {

void refillUserList(AccessServices &access)
{
    AllMAKUserNames(access);
}

} // namespace tarvo::core
