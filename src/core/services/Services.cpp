#include "core/services/Services.h"

namespace tarvo::core {

namespace {
AccessServices *g_access = nullptr;
MasterDataServices *g_masterData = nullptr;
} // namespace

AccessServices *Services::access() { return g_access; }
void Services::setAccess(AccessServices *services) { g_access = services; }
MasterDataServices *Services::masterData() { return g_masterData; }
void Services::setMasterData(MasterDataServices *services) { g_masterData = services; }

} // namespace tarvo::core
