#pragma once

#include <QString>

namespace tarvo::core {

// The values the start-up sets once for the whole program (owner password, weekday names,
// character set) before other logical threads exist; any thread reads them afterwards.
class ProgramGlobals final {
  public:
    // The owner password every data file of the main program was protected with. Our SQL stores
    // have no per-file password, so nothing reads it; it is kept so that the start-up order stays
    // as it always was and a store that ever needs one finds it set before the first open.
    static QString ownerPassword();
    static void setOwnerPassword(const QString &password);

    // The seven weekday names, ten characters each, Sunday first, in the interface language.
    static QString weekdayNames();
    static void setWeekdayNames(const QString &names);

    // The character set number taken from the settings (0 at start).
    static int charsetCode();
    static void setCharsetCode(int code);

    // True once the data files were registered with the layout upgrade in this process.
    static bool filesRegistered();
    static void setFilesRegistered(bool registered);

    // The version text "4.1", blank-padded to ten characters.
    static QString programVersion();

    // Back to the values of a fresh process (tests).
    static void reset();
};

} // namespace tarvo::core
