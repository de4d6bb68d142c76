#pragma once

#include <QtGlobal>

#include <functional>

namespace tarvo::core {

// Counts the records a correction has done against its total and tells the percentage
// (counter x 100 / total, whole) whenever it changes.
class CorrectionProgress final {
  public:
    using Callback = std::function<void(int percent)>;

    explicit CorrectionProgress(Callback callback = {}) : m_callback(std::move(callback)) {}

    void setTotal(qint64 total);
    qint64 total() const { return m_total; }
    // One more record done.
    void step();
    qint64 counter() const { return m_counter; }
    int percent() const { return m_percent; }

  private:
    Callback m_callback;
    qint64 m_total = 0;
    qint64 m_counter = 0;
    int m_percent = -1;
};

} // namespace tarvo::core
