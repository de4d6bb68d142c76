#pragma once

#include <QString>

namespace tarvo::core {

class AccessServices;

// Where the date and time stamp goes.
enum class StampPosition { Beginning = 1, End = 2, Cursor = 3 };

// The stamp template and its place in the settings record (PAR:DateTimeStamp,
// PAR:DateTimeStampInsPos), which serve users without their own.
struct StampSettings final {
    QString templateText;
    int insertPosition = 1;
};

// The template in force and where it came from, so that a faulty one can be blamed on the
// window that edits it.
struct StampSource final {
    QString templateText;
    int insertPosition = 1;
    bool fromUserSettings = false; // false: from the settings record
};

// User.ini keeps the template on one line: CR is stored as "¤" and LF as "¶".
QString decodeUserIniLineBreaks(const QString &stored);
QString encodeUserIniLineBreaks(const QString &text);

// The user's own template from "User.ini" (section "User Settings", "DateTimeStamp" and
// "DateTimeStampInsPos"), or the settings record's when the user has none.
StampSource readStampSource(const QString &userIniPath, const StampSettings &settingsRecord);

// The same for the logged-in user, whose "User.ini" lies in the access library's MAKORDNER.
StampSource stampSourceFor(const AccessServices &access, const StampSettings &settingsRecord);

} // namespace tarvo::core
