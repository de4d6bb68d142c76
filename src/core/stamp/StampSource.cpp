#include "core/stamp/StampSource.h"

#include "core/frame/FrameUserSettings.h"
#include "platform/runtime/IniFile.h"
#include "platform/runtime/Text.h"

namespace tarvo::core {

namespace {
const QChar kStoredCr(0x00A4); // "¤"
const QChar kStoredLf(0x00B6); // "¶"
const QString kSection = QStringLiteral("User Settings");
} // namespace

QString decodeUserIniLineBreaks(const QString &stored)
{
    QString text = stored;
    text.replace(kStoredCr, QLatin1Char('\r'));
    text.replace(kStoredLf, QLatin1Char('\n'));
    return text;
}

QString encodeUserIniLineBreaks(const QString &text)
{
    QString stored = text;
    stored.replace(QLatin1Char('\r'), kStoredCr);
    stored.replace(QLatin1Char('\n'), kStoredLf);
    return stored;
}

StampSource readStampSource(const QString &userIniPath, const StampSettings &settingsRecord)
{
    const IniFile userIni(userIniPath);
    StampSource source;
    source.templateText = decodeUserIniLineBreaks(userIni.value(kSection, QStringLiteral("DateTimeStamp")));
    source.insertPosition = userIni.intValue(kSection, QStringLiteral("DateTimeStampInsPos"), 1);
    source.fromUserSettings = true;
    if (Text::clip(source.templateText).isEmpty()) {
        source.templateText = settingsRecord.templateText;
        source.insertPosition = settingsRecord.insertPosition;
        source.fromUserSettings = false;
    }
    return source;
}

StampSource stampSourceFor(const AccessServices &access, const StampSettings &settingsRecord)
{
    return readStampSource(FrameUserSettings::userIniPath(access), settingsRecord);
}

} // namespace tarvo::core
