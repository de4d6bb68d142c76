#pragma once

#include <QElapsedTimer>

namespace tarvo::listext::ui {

// Says when a progress window over a long read is worth refreshing: at the first record, then
// once a tenth of a second has passed. Refreshing it for every record, or for every percent (a
// repaint, the events processed), costs far more than reading the records: a read of a few
// thousand rows took seconds that way.
class ProgressPacer final {
  public:
    explicit ProgressPacer(qint64 total);

    // The percentage after n records, at most 100.
    int percent(qint64 n) const;
    // True when the window should be refreshed now.
    bool due();

  private:
    qint64 m_total;
    bool m_shown = false;
    QElapsedTimer m_clock;
};

} // namespace tarvo::listext::ui
