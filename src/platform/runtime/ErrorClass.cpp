#include "platform/runtime/ErrorClass.h"

#include "platform/runtime/Messages.h"
#include "platform/runtime/Translator.h"

#include <algorithm>
#include <array>
#include <utility>

namespace tarvo {

namespace {

const char *const kFatalSuffix = "  Press OK to end this application";

} // namespace

ErrorClass::ErrorClass()
{
    load(germanErrorMessages());
}

void ErrorClass::load(std::span<const ErrorMessage> table)
{
    m_entries.clear();
    for (const ErrorMessage &entry : table)
        m_entries.push_back(&entry);
}

// Both tables hold the same numbers in one order, so putting the English entries in place of the
// German ones is loading the English table.
void ErrorClass::init(const QString &language)
{
    m_german = isGermanLanguage(language);
    load(m_german ? germanErrorMessages() : englishErrorMessages());
}

const ErrorMessage *ErrorClass::find(int number) const
{
    const auto it = std::find_if(m_entries.begin(), m_entries.end(),
                                 [number](const ErrorMessage *entry) { return entry->number == number; });
    return it == m_entries.end() ? nullptr : *it;
}

void ErrorClass::setErrorText(const QString &text, int code)
{
    m_errorText = text;
    m_errorCode = code;
}

QString ErrorClass::errorText() const
{
    if (m_errorCode == 0)
        return m_errorText;
    if (m_errorText.isEmpty())
        return QString::number(m_errorCode);
    return m_errorText + QLatin1String(" (") + QString::number(m_errorCode) + QLatin1Char(')');
}

QString ErrorClass::fillPlaceholders(const QString &text) const
{
    const std::array<std::pair<QLatin1String, QString>, 5> values{{
        {QLatin1String("%ErrorText"), errorText()},
        {QLatin1String("%Message"), m_message},
        {QLatin1String("%Field"), m_field},
        {QLatin1String("%File"), m_file},
        {QLatin1String("%Key"), m_key},
    }};
    QString result;
    result.reserve(text.size());
    qsizetype i = 0;
    while (i < text.size()) {
        bool replaced = false;
        if (text.at(i) == QLatin1Char('%')) {
            for (const auto &[name, value] : values) {
                if (QStringView(text).mid(i).startsWith(name)) {
                    result += value;
                    i += name.size();
                    replaced = true;
                    break;
                }
            }
        }
        if (!replaced)
            result += text.at(i++);
    }
    return result;
}

QString ErrorClass::genericText(int number) const
{
    QString text = (m_german ? QStringLiteral("Ein Fehler ist aufgetreten (Meldung %1).")
                             : QStringLiteral("An error occurred (message %1)."))
                       .arg(number);
    if (!m_file.isEmpty())
        text += (m_german ? QStringLiteral("|Datei: ") : QStringLiteral("|File: ")) + m_file;
    const QString error = errorText();
    if (!error.isEmpty())
        text += (m_german ? QStringLiteral("|Fehler: ") : QStringLiteral("|Error: ")) + error;
    if (!m_message.isEmpty())
        text += QLatin1Char('|') + m_message;
    if (!m_procedures.isEmpty())
        text += (m_german ? QStringLiteral("|Prozedur: ") : QStringLiteral("|Procedure: ")) + procedureName();
    return text;
}

QString ErrorClass::messageTitle(int number) const
{
    if (const ErrorMessage *entry = find(number))
        return QString::fromUtf8(entry->title);
    return m_german ? QStringLiteral("Fehler") : QStringLiteral("Error");
}

QString ErrorClass::messageText(int number) const
{
    const ErrorMessage *entry = find(number);
    if (!entry)
        return genericText(number);
    QString text = fillPlaceholders(QString::fromUtf8(entry->text));
    if (entry->severity == ErrorSeverity::Fatal)
        text += QLatin1String(kFatalSuffix);
    return text;
}

int ErrorClass::throwError(int number)
{
    const ErrorMessage *entry = find(number);
    const ErrorSeverity severity = entry ? entry->severity : ErrorSeverity::Program;
    MessageRequest request;
    request.title = messageTitle(number);
    request.text = messageText(number);
    switch (severity) {
    case ErrorSeverity::Question: {
        request.icon = MessageIcon::Question;
        request.buttons = Button::Yes | Button::No;
        return Messages::show(request) == Button::Yes ? Button::Yes : Button::No;
    }
    case ErrorSeverity::Fatal:
        request.icon = MessageIcon::Error;
        Messages::show(request);
        Messages::exitProgram(1);
        return Button::Ok;
    case ErrorSeverity::Program:
    case ErrorSeverity::Notice:
        break;
    }
    request.icon = MessageIcon::Exclamation;
    Messages::show(request);
    return Button::Ok;
}

int ErrorClass::throwMessage(int number, const QString &message)
{
    setMessage(message);
    return throwError(number);
}

int ErrorClass::throwFile(int number, const QString &file)
{
    setFile(file);
    return throwError(number);
}

void ErrorClass::popProcedureName()
{
    if (!m_procedures.isEmpty())
        m_procedures.removeLast();
}

QString ErrorClass::procedureName() const
{
    return m_procedures.isEmpty() ? QString() : m_procedures.last();
}

} // namespace tarvo
