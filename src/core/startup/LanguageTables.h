#pragma once

namespace tarvo::core {

// The interface language's tables that the start-up sets once the settings are read: the
// translator's table, the month and weekday names and the standard button texts.
class LanguageTables final {
  public:
    // German: the translation table, German month, weekday and button names. Otherwise English
    // weekday names and everything else as it is.
    static void apply(bool german);
};

} // namespace tarvo::core
