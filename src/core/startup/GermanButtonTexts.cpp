#include "core/startup/GermanButtonTexts.h"

#include <QHash>

namespace tarvo::core {

QString GermanButtonTexts::translate(const char *context, const char *sourceText, const char *disambiguation,
                                     int n) const
{
    Q_UNUSED(disambiguation);
    Q_UNUSED(n);
    // Qt names its standard buttons in this context; every other text is left to the translator
    // of the program's own windows.
    if (qstrcmp(context, "QPlatformTheme") != 0)
        return {};
    static const QHash<QString, QString> texts{
        {QStringLiteral("OK"), QStringLiteral("&OK")},
        {QStringLiteral("&Yes"), QStringLiteral("&Ja")},
        {QStringLiteral("&No"), QStringLiteral("&Nein")},
        {QStringLiteral("Abort"), QStringLiteral("&Beenden")},
        {QStringLiteral("Retry"), QStringLiteral("&Wiederholen")},
        {QStringLiteral("Ignore"), QStringLiteral("&Ignorieren")},
        {QStringLiteral("Cancel"), QStringLiteral("&Abbruch")},
        {QStringLiteral("Help"), QStringLiteral("&Hilfe")},
    };
    return texts.value(QString::fromUtf8(sourceText));
}

} // namespace tarvo::core
