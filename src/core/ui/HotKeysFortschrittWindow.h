#pragma once

#include "platform/ui/WindowManager.h"

class QLabel;
class QProgressBar;

namespace tarvo::core::ui {

// The small progress window of one data correction: its text, a progress bar and the percentage.
class HotKeysFortschrittWindow final : public tarvo::ui::WindowManager {
    Q_OBJECT

  public:
    explicit HotKeysFortschrittWindow(Context &context);

    bool open() override;
    void setText(const QString &text);
    void setPercent(int percent);

    QString text() const;
    QString percentText() const;
    int barValue() const;

  private:
    QLabel *m_text;
    QProgressBar *m_bar;
    QLabel *m_percent;
};

} // namespace tarvo::core::ui
