#pragma once

#include "core/stamp/InsertDateTimeStamp.h"

class QWidget;

namespace tarvo::core {
class AccessServices;
}

namespace tarvo::core::ui {

// Puts the date and time stamp into a text control (QTextEdit, QPlainTextEdit or QLineEdit):
// reads its cursor, replaces its text as one undoable edit and leaves the cursor where the user
// goes on writing. maxLength is the width of the field behind the control in characters (0: no
// limit; a QLineEdit's own maximum applies as well); a stamp that would not fit is refused with a
// message and the text stays as it was. True when the stamp went in.
bool insertDateTimeStamp(QWidget *control, const StampSource &source, const StampValues &values,
                         qsizetype maxLength = 0);

// The same with the logged-in user's template (or the settings record's) and today, now and the
// user's initials.
bool insertDateTimeStamp(QWidget *control, const StampSettings &settingsRecord, const AccessServices &access,
                         qsizetype maxLength = 0);

} // namespace tarvo::core::ui
