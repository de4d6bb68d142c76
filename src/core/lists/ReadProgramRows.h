#pragma once

#include "core/lists/ProgramTreeQueue.h"
#include "core/lists/RowsRead.h"

namespace tarvo::data {
class Session;
}

namespace tarvo::core {

// Every program of the Programs file of a thread's session, by parent and sort number, as the
// program tree is built from them. Hidden programs are read too: their sub-programs may be shown.
RowsRead<ProgramRow> readProgramRows(data::Session &session);

} // namespace tarvo::core
