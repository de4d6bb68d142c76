#include "core/ui/ConversionWindows.h"

#include "core/ui/DatenkonvertierenWindow.h"
#include "core/ui/HotKeysFortschrittWindow.h"

#include <QCoreApplication>

namespace tarvo::core::ui {

namespace {
void paint()
{
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}
} // namespace

ConversionWindows::~ConversionWindows()
{
    closeProgressWindow();
    closeConversionWindow();
}

void ConversionWindows::openConversionWindow()
{
    if (m_conversion)
        return;
    m_conversion = new DatenkonvertierenWindow(m_context);
    m_conversion->open();
    paint();
}

void ConversionWindows::closeConversionWindow()
{
    if (m_conversion)
        m_conversion->close();
    m_conversion = nullptr;
}

void ConversionWindows::openProgressWindow()
{
    closeProgressWindow();
    m_progress = new HotKeysFortschrittWindow(m_context);
    m_progress->open();
    paint();
}

void ConversionWindows::setProgressText(const QString &text)
{
    if (!m_progress)
        return;
    m_progress->setText(text);
    paint();
}

void ConversionWindows::setProgressPercent(int percent)
{
    if (!m_progress)
        return;
    m_progress->setPercent(percent);
    paint();
}

void ConversionWindows::closeProgressWindow()
{
    if (m_progress)
        m_progress->close();
    m_progress = nullptr;
}

} // namespace tarvo::core::ui
