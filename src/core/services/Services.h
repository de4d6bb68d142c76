#pragma once

namespace tarvo::core {

class AccessServices;
class MasterDataServices;

// The services of the neighbouring subsystems, registered by the application at start-up
// (tests register fakes). A lower subsystem reaches a higher one only through these.
class Services final {
public:
    static AccessServices *access();
    static void setAccess(AccessServices *services);
    static MasterDataServices *masterData();
    static void setMasterData(MasterDataServices *services);
};

} // namespace tarvo::core
