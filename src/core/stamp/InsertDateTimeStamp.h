#pragma once

#include "core/stamp/StampSource.h"

#include <QString>

#include <optional>

namespace tarvo::core {

// What the stamp's variables stand for at the moment of the stamp.
struct StampValues final {
    QString date;     // "^Date^": today in the system's short date format
    QString time;     // "^Time^": now in the system's long time format
    QString initials; // "^Initials^": the first three characters of MAK, clipped
};

// Today, now and the user's initials, as the runtime's clock and display pictures give them.
StampValues currentStampValues(const QString &mak);

// A text after the stamp went in, with the cursor to leave in it. The cursor is the number of
// characters before it; CR LF count as two, as the stored text holds them.
struct StampEdit final {
    QString text;
    qsizetype cursor = 0;
};

// Puts the date and time stamp into text: at the beginning, at the end, or at cursor (the start of
// the selection, characters before it), as the source says. Nothing comes back, and the text is
// left as it is, when the template is empty, when the insert position is not one of the three,
// when the template lacks "^C^" (the user is told which window to correct), or when the result
// would not fit into maxLength characters (0: no limit; the user is told).
std::optional<StampEdit> InsertDateTimeStamp(const QString &text, qsizetype cursor, const StampSource &source,
                                             const StampValues &values, qsizetype maxLength = 0);

} // namespace tarvo::core
