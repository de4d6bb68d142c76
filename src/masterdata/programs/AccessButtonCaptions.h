#pragma once

#include "platform/runtime/Result.h"

namespace tarvo {
class IniFile;
}
namespace tarvo::data {
class Record;
}

namespace tarvo::masterdata {

// Hands the settings' own captions of the Insert, Change and Delete buttons to the access
// administration, which reads them from "Vuvuzu.ini"; a caption the settings do not override is
// written empty, so the administration shows its own.
Result<void> writeAccessButtonCaptions(IniFile &vuvuzuIni, const data::Record &settings);

} // namespace tarvo::masterdata
