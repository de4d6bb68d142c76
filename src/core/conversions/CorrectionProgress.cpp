#include "core/conversions/CorrectionProgress.h"

namespace tarvo::core {

void CorrectionProgress::setTotal(qint64 total)
{
    m_total = total;
    m_counter = 0;
}

void CorrectionProgress::step()
{
    ++m_counter;
    if (m_total <= 0)
        return;
    const int percent = int(m_counter * 100 / m_total);
    if (percent == m_percent)
        return;
    m_percent = percent;
    if (m_callback)
        m_callback(percent);
}

} // namespace tarvo::core
