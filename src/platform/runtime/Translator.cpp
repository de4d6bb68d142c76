#include "platform/runtime/Translator.h"

#include "platform/runtime/Text.h"

namespace tarvo {

bool isGermanLanguage(const QString &language)
{
    return Text::clip(language) == QLatin1String("Deutsch");
}

Translator &Translator::instance()
{
    static Translator translator;
    return translator;
}

void Translator::addTable()
{
    addTable(translationTable());
    addTable(messageTable());
}

void Translator::addTable(std::span<const TranslationPair> pairs)
{
    m_texts.reserve(m_texts.size() + static_cast<qsizetype>(pairs.size()));
    for (const TranslationPair &pair : pairs) {
        const QString english = QString::fromUtf8(pair.english);
        if (!m_texts.contains(english))
            m_texts.insert(english, QString::fromUtf8(pair.german));
    }
}

QString Translator::translate(const QString &text) const
{
    return m_texts.value(text, text);
}

} // namespace tarvo
