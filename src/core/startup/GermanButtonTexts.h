#pragma once

#include <QTranslator>

namespace tarvo::core {

// The German texts of the standard buttons of message boxes and dialogs ("&Ja", "&Abbruch").
class GermanButtonTexts final : public QTranslator {
  public:
    bool isEmpty() const override { return false; }
    QString translate(const char *context, const char *sourceText, const char *disambiguation = nullptr,
                      int n = -1) const override;
};

} // namespace tarvo::core
