#pragma once

#include "platform/ui/WindowManager.h"

class QPlainTextEdit;

namespace tarvo::masterdata::ui {

// "Choices": the dialog in which the choice list of a custom drop list or combo box is typed,
// one choice a line; it answers Completed on OK and the list then holds what was typed.
class OptionsChoices final : public tarvo::ui::WindowManager {
    Q_OBJECT

  public:
    // The most characters the stored list holds, its line breaks counted as two.
    static constexpr int MaxLength = 1023;

    // choices: the stored list, lines separated by carriage return and line feed.
    OptionsChoices(Context &context, const QString &choices, QObject *parent = nullptr);

    void takeAccepted(const QString &controlName) override;

    // The typed list in its stored form.
    QString choices() const;
    QPlainTextEdit *textBox() const { return m_text; }

  private:
    void keepWithinLength();

    QPlainTextEdit *m_text = nullptr;
    QString m_accepted;
};

} // namespace tarvo::masterdata::ui
