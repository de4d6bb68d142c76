#pragma once

#include "platform/data/Store.h"
#include "support/TempDir.h"

#include <QString>

namespace tarvo::test {

// The data folder "data" below the test's folder for the store kind; on PostgreSQL it points at
// the test server with the schema dropped. Blank when the server is missing (`skipReason` says
// why) or the schema could not be dropped (a failure of the test).
QString dataFolder(const TempDir &dir, data::StoreKind kind, QString &skipReason);

// Runs the posted events and the deletions they ask for, as the event loop would between steps.
void drainEvents();

} // namespace tarvo::test
