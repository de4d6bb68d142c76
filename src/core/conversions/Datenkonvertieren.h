#pragma once

namespace tarvo::data {
class Session;
}

namespace tarvo::core {

class ConversionDisplay;

// The conversion run of the "/C" start, without a login: shows the conversion window, opens every
// data file through the thread's managers (which creates missing files and converts older
// layouts), applies the data corrections (RunDataUpgrades) and closes. `session` is the data
// session of the calling context, its reporter that context's error object; `display` the
// program's conversion windows (none: a silent run).
void Datenkonvertieren(data::Session &session, ConversionDisplay *display = nullptr);

} // namespace tarvo::core
