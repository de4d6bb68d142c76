#pragma once

namespace tarvo {
class IniFile;
}

namespace tarvo::issues {

// What a duplicated issue takes over from its source, as the user chose in "User.ini".
struct DuplicateChoices final {
    bool customFields = true;
    bool hardware = true;
    bool stepsToRecreate = false;
    bool workaround = false;
    bool stepsToFix = false;
    bool verification = false;
    bool attachments = false;
    bool notes = false;

    // The keys "Dup_..." of the section "User Settings"; a missing key keeps its default.
    static DuplicateChoices fromUserIni(const IniFile &userIni);
};

} // namespace tarvo::issues
