#include "listext/ui/ProgressPacer.h"

#include <algorithm>

namespace tarvo::listext::ui {

namespace {
constexpr qint64 IntervalMs = 100;
}

ProgressPacer::ProgressPacer(qint64 total) : m_total(std::max<qint64>(total, 1))
{
    m_clock.start();
}

int ProgressPacer::percent(qint64 n) const
{
    return static_cast<int>(std::min<qint64>(n * 100 / m_total, 100));
}

bool ProgressPacer::due()
{
    if (m_shown && m_clock.elapsed() < IntervalMs)
        return false;
    m_shown = true;
    m_clock.restart();
    return true;
}

} // namespace tarvo::listext::ui
