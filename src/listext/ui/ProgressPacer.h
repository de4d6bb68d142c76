#pragma once

#include <QElapsedTimer>

namespace tarvo::listext::ui {

// Says when a progress window over a long read is worth refreshing: when its percentage changed or
// a tenth of a second passed. Refreshing it for every record (a title to the window system, the
// events processed) costs far more than reading the record.
class ProgressPacer final {
  public:
    explicit ProgressPacer(qint64 total);

    // The percentage after n records, at most 100.
    int percent(qint64 n) const;
    // True when the window should show record n.
    bool due(qint64 n);

  private:
    qint64 m_total;
    int m_shown = -1;
    QElapsedTimer m_clock;
};

} // namespace tarvo::listext::ui
