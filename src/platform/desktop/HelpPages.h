#pragma once

#include <QString>
#include <QStringList>

namespace tarvo {

// The help: HTML pages, one per topic, in folders of the help beside the program, shown by the
// desktop's browser. Each caller says in its own words why a page could not be shown.
class HelpPages final {
  public:
    enum class Outcome { Opened, NotFound, NotOpened };

    // The topic's page in the first folder that holds it, else where the first folder would
    // hold it; a topic names a page, never a path out of the folder.
    static QString page(const QStringList &folders, const QString &topic);
    // Hands the page to the desktop.
    static Outcome open(const QString &path);
};

} // namespace tarvo
