#pragma once

#include "platform/runtime/TranslationTable.h"

#include <QHash>
#include <QString>

#include <span>

namespace tarvo {

// True when the settings' language (trailing blanks ignored) asks for the German interface.
bool isGermanLanguage(const QString &language);

// Puts the German text in place of an English interface text. The program has one, filled at
// start-up before other threads run and only read afterwards; until it holds a table every text
// stays as it is.
class Translator final {
  public:
    static Translator &instance();

    // Loads the program's tables (the interface's and the messages'), or the given pairs; the
    // first row of a key counts.
    void addTable();
    void addTable(std::span<const TranslationPair> pairs);
    bool hasTable() const { return !m_texts.isEmpty(); }

    // The German text of an English key that equals text exactly; any other text unchanged.
    QString translate(const QString &text) const;

  private:
    QHash<QString, QString> m_texts;
};

} // namespace tarvo
