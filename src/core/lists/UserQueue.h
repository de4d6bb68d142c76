#pragma once

#include "core/lists/SharedList.h"

#include <QString>

namespace tarvo::core {

// One user of the access system as the user drop-downs offer it.
struct UserQueueEntry final {
    static constexpr int MakWidth = 3;
    static constexpr int NameWidth = 71;
    static constexpr int AddressWidth = 35;

    QString userMak;     // USERMAK: the user's code (initials)
    QString userName;    // USERNAME: the name with its addition in front
    QString userAddress; // USERADDRESS: the salutation

    bool operator==(const UserQueueEntry &) const = default;
};

// The users of the access system, shared by all windows.
using UserQueue = SharedList<UserQueueEntry>;

} // namespace tarvo::core
