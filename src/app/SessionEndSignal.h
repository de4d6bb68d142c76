#pragma once

#include <QObject>

#include <functional>

class QSocketNotifier;

namespace tarvo::app {

// The end of the desktop session as Linux announces it: SIGTERM, which the session or service
// manager sends at logout. As at the end of a Windows session, the frame gets its close-down event
// and the program shuts down as after File > Exit. While no frame is open there is nothing to
// close, and the signal ends the process as it would without this handler.
class SessionEndSignal final : public QObject {
  public:
    // closeFrame posts the close-down to the frame; false when no frame is there to take it.
    explicit SessionEndSignal(std::function<bool()> closeFrame);
    ~SessionEndSignal() override;
    SessionEndSignal(const SessionEndSignal &) = delete;
    SessionEndSignal &operator=(const SessionEndSignal &) = delete;

  private:
    void takeSignal();

    std::function<bool()> m_closeFrame;
    QSocketNotifier *m_notifier = nullptr;
};

} // namespace tarvo::app
