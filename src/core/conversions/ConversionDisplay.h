#pragma once

#include <QString>

namespace tarvo::core {

// What the user sees of a conversion run: the conversion window and, for each correction, the
// progress window. The windows of the program implement it; a run without one is silent.
class ConversionDisplay {
  public:
    virtual ~ConversionDisplay() = default;

    virtual void openConversionWindow() = 0;
    virtual void closeConversionWindow() = 0;
    // Opens the progress window with its text line and percentage cleared.
    virtual void openProgressWindow() = 0;
    virtual void setProgressText(const QString &text) = 0;
    virtual void setProgressPercent(int percent) = 0;
    virtual void closeProgressWindow() = 0;
};

} // namespace tarvo::core
