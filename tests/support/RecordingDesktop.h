#pragma once

#include "platform/desktop/Desktop.h"

#include <QStringList>

namespace tarvo::test {

// Keeps what the program hands to the desktop instead of starting anything; in force while it
// lives.
class RecordingDesktop final : public Desktop {
  public:
    RecordingDesktop() { Desktop::setInstance(this); }
    ~RecordingDesktop() override { Desktop::setInstance(nullptr); }
    RecordingDesktop(const RecordingDesktop &) = delete;
    RecordingDesktop &operator=(const RecordingDesktop &) = delete;

    bool openUrl(const QUrl &url) override
    {
        opened << url.toString();
        return true;
    }
    bool openFile(const QString &path) override
    {
        opened << path;
        return true;
    }

    QStringList opened;
};

} // namespace tarvo::test
