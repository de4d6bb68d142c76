#pragma once

#include <QString>

namespace tarvo::core {

// Opens a file, folder or address (a URL such as "https:" or "mailto:") with the program the
// desktop associates with it. The text is taken whole, never cut and never passed to a shell.
// `handle` is the calling window; the desktop chooses where the program opens. Reports nothing.
void ShellOpen(qint64 handle, const QString &text);

} // namespace tarvo::core
