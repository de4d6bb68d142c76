#pragma once

namespace tarvo::data {
class Session;
}

namespace tarvo::core {

class ConversionDisplay;

// Applies the numbered data corrections that the data folder has not had yet (HotKeys records
// each one, added before it runs) and the status-sort correction, which runs every time.
void RunDataUpgrades(data::Session &session, ConversionDisplay *display = nullptr);

} // namespace tarvo::core
