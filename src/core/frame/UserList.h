#pragma once

namespace tarvo::core {

class AccessServices;

// Refills the shared user list from the access library (AllMAKUserNames).
void refillUserList(AccessServices &access);

} // namespace tarvo::core
