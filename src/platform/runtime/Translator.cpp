#include "platform/runtime/Translator.h"

namespace tarvo {

bool isGermanLanguage(const QString &language)
{
    qsizetype end = language.size();
    while (end > 0 && language.at(end - 1) == QLatin1Char(' '))
        --end;
    return QStringView(language).left(end) == QLatin1String("Deutsch");
}

Translator &Translator::instance()
{
    static Translator translator;
    return translator;
}

void Translator::addTable()
{
    addTable(translationTable());
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
