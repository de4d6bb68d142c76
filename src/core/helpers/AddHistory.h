#pragma once

#include <QString>

namespace tarvo::data {
class Record;
class Session;
} // namespace tarvo::data

namespace tarvo::core {

// Writes one entry of the change history of the issue in the session's Bugs record buffer:
// the field's label and display picture, the old and the new contents, today, now and the
// user's initials. Nothing is written while the settings record (`settings`, the Parameter
// record) switches history off; a failed write shows the stop message. Returns the stored row of
// the entry (0 when none was written), so that a form can take back exactly what it wrote.
qint64 AddHistory(data::Session &session, const data::Record &settings, const QString &label,
                  const QString &picture, const QString &oldContents, const QString &newContents);

} // namespace tarvo::core
