#include "issues/DuplicateChoices.h"

#include "platform/runtime/IniFile.h"

namespace tarvo::issues {

DuplicateChoices DuplicateChoices::fromUserIni(const IniFile &userIni)
{
    const QString section = QStringLiteral("User Settings");
    const auto choice = [&](const char *key, bool byDefault) {
        return userIni.intValue(section, QString::fromLatin1(key), byDefault ? 1 : 0) == 1;
    };
    DuplicateChoices c;
    c.customFields = choice("Dup_CustomFields", true);
    c.hardware = choice("Dup_Hardware", true);
    c.stepsToRecreate = choice("Dup_Stepstorecreate", false);
    c.workaround = choice("Dup_Workaround", false);
    c.stepsToFix = choice("Dup_Stepstofix", false);
    c.verification = choice("Dup_Verification", false);
    c.attachments = choice("Dup_Attachments", false);
    c.notes = choice("Dup_Notes", false);
    return c;
}

} // namespace tarvo::issues
