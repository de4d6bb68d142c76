#include "core/stamp/InsertDateTimeStamp.h"

#include "platform/runtime/DayDate.h"
#include "platform/runtime/Messages.h"
#include "platform/runtime/Picture.h"
#include "platform/runtime/Text.h"
#include "platform/runtime/Translator.h"

#include <algorithm>

namespace tarvo::core {

namespace {

const QString kCursorMark = QStringLiteral("^C^");
const QString kLineBreak = QStringLiteral("\r\n");

QString tr(const QString &text)
{
    return Translator::instance().translate(text);
}

void replaceFirst(QString &text, const QString &variable, const QString &value)
{
    const qsizetype at = text.indexOf(variable);
    if (at >= 0)
        text.replace(at, variable.size(), value);
}

void reportMissingCursorMark(const StampSource &source)
{
    Messages::beep(MessageIcon::Exclamation);
    Messages::show(
        tr(QStringLiteral("The variable ^C^ is missing in the Date & Time Stamp text!||Please do the "
                          "necessary changes in the")) +
            QLatin1Char(' ') +
            tr(source.fromUserSettings ? QStringLiteral("User Settings") : QStringLiteral("Options")) +
            QLatin1Char('.'),
        QStringLiteral("Tarvo"), MessageIcon::Information);
}

// Cutting the user's text to make room would lose what they wrote, so the stamp is refused.
void reportTooLong(qsizetype maxLength)
{
    Messages::show(
        tr(QStringLiteral("The Date & Time Stamp does not fit into this field.||The field holds at most "
                          "%1 characters."))
            .arg(maxLength),
        QStringLiteral("Tarvo"), MessageIcon::Exclamation);
}

} // namespace

StampValues currentStampValues(const QString &mak)
{
    return {Picture::format(DayDate::today(), QStringLiteral("@D17")),
            Picture::format(DayDate::clock(), QStringLiteral("@T8")), Text::clip(mak.left(3))};
}

std::optional<StampEdit> InsertDateTimeStamp(const QString &text, qsizetype cursor, const StampSource &source,
                                             const StampValues &values, qsizetype maxLength)
{
    QString stamp = source.templateText;
    if (Text::clip(stamp).isEmpty())
        return std::nullopt;
    if (!stamp.contains(kCursorMark)) {
        reportMissingCursorMark(source);
        return std::nullopt;
    }
    replaceFirst(stamp, QStringLiteral("^Date^"), values.date);
    replaceFirst(stamp, QStringLiteral("^Time^"), values.time);
    replaceFirst(stamp, QStringLiteral("^Initials^"), values.initials);

    const qsizetype mark = stamp.indexOf(kCursorMark);
    const QString before = stamp.left(mark);
    const QString after = Text::clip(stamp.mid(mark + kCursorMark.size()));
    const QString clippedText = Text::clip(text);

    StampEdit edit;
    switch (static_cast<StampPosition>(source.insertPosition)) {
    case StampPosition::Beginning:
        edit.text = before + after + kLineBreak + clippedText;
        edit.cursor = before.size();
        break;
    case StampPosition::End:
        edit.text = clippedText + kLineBreak + before + after;
        edit.cursor = clippedText.size() + kLineBreak.size() + before.size();
        break;
    case StampPosition::Cursor: {
        const qsizetype at = std::clamp<qsizetype>(cursor, 0, text.size());
        edit.text = text.left(at) + before + kLineBreak + after + text.mid(at);
        edit.cursor = at + before.size();
        break;
    }
    default:
        return std::nullopt;
    }
    // Stored texts are clipped, so trailing blanks never take room in the field.
    if (maxLength > 0 && Text::length(Text::clip(edit.text)) > maxLength) {
        reportTooLong(maxLength);
        return std::nullopt;
    }
    return edit;
}

} // namespace tarvo::core
