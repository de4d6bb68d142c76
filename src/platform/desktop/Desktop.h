#pragma once

#include <QString>
#include <QUrl>

namespace tarvo {

// Hands a file, folder or address to the program the desktop associates with it. The program
// holds one in force; tests replace it by a recording fake so that nothing is started.
class Desktop {
  public:
    virtual ~Desktop() = default;

    // True when the desktop accepted the request; it never passes through a shell.
    virtual bool openUrl(const QUrl &url) = 0;
    virtual bool openFile(const QString &path) = 0;

    // The desktop in force: the one set last, else the real desktop (QDesktopServices).
    static Desktop &instance();
    // Null restores the real desktop.
    static void setInstance(Desktop *desktop);
};

} // namespace tarvo
