#pragma once

namespace tarvo::data {
class Session;
}

namespace tarvo::core {

class ConversionDisplay;

// Carries out one numbered data correction under its progress window (none when display is
// null). All its writes go into one transaction.
void HotKeysFortschritt(data::Session &session, int number, ConversionDisplay *display = nullptr);

} // namespace tarvo::core
