#pragma once

#include "core/conversions/ConversionDisplay.h"
#include "core/ui/DatenkonvertierenWindow.h"
#include "core/ui/HotKeysFortschrittWindow.h"

#include <QPointer>

namespace tarvo {
class Context;
}

namespace tarvo::core::ui {

// The program's conversion windows on one context: what Datenkonvertieren shows while it works.
// The work runs on the GUI thread, so each change lets the windows paint before it goes on.
class ConversionWindows final : public ConversionDisplay {
  public:
    explicit ConversionWindows(Context &context) : m_context(context) {}
    ~ConversionWindows() override;

    void openConversionWindow() override;
    void closeConversionWindow() override;
    void openProgressWindow() override;
    void setProgressText(const QString &text) override;
    void setProgressPercent(int percent) override;
    void closeProgressWindow() override;

    HotKeysFortschrittWindow *progressWindow() const { return m_progress; }
    DatenkonvertierenWindow *conversionWindow() const { return m_conversion; }

  private:
    Context &m_context;
    QPointer<DatenkonvertierenWindow> m_conversion;
    QPointer<HotKeysFortschrittWindow> m_progress;
};

} // namespace tarvo::core::ui
