#include "access/UserOrder.h"

#include "access/KeyText.h"

#include <algorithm>

namespace tarvo::access {

void sortUsersByName(std::vector<UserRecord> &users)
{
    std::stable_sort(users.begin(), users.end(), [](const UserRecord &a, const UserRecord &b) {
        return KeyText::fold(a.name) < KeyText::fold(b.name);
    });
}

} // namespace tarvo::access
