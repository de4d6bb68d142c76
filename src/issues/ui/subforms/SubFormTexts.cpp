#include "issues/ui/subforms/SubFormTexts.h"

#include "core/services/MailServices.h"
#include "core/services/Services.h"
#include "core/stamp/StampSource.h"
#include "core/startup/SettingsRecord.h"
#include "core/ui/StampTextControl.h"
#include "issues/ui/subforms/SubFormUser.h"
#include "platform/runtime/Context.h"
#include "platform/runtime/Picture.h"
#include "platform/runtime/Text.h"
#include "platform/runtime/Translator.h"

#include <QPalette>
#include <QWidget>

namespace tarvo::issues::ui {

QString SubFormTexts::translated(const char *text)
{
    return Translator::instance().translate(QString::fromUtf8(text));
}

QString SubFormTexts::caption(int request, const char *addCaption, const char *changeCaption)
{
    if (request == Request::Insert)
        return translated(addCaption);
    if (request == Request::Change)
        return translated(changeCaption);
    return translated("View Record");
}

QString SubFormTexts::dateLine(const char *words, const QString &initials, qint64 date)
{
    return translated(words) + QLatin1Char(' ') + Text::clip(initials) + QLatin1Char(' ') + translated("at") +
           QLatin1Char(' ') + Picture::format(date, QStringLiteral("@D017B"));
}

QColor SubFormTexts::displayColour()
{
    const qint64 colour = core::SettingsRecord::instance().record().integer(QStringLiteral("PAR:COLOR"));
    if (colour < 0)
        return {};
    return QColor(int(colour & 0xFF), int((colour >> 8) & 0xFF), int((colour >> 16) & 0xFF));
}

void SubFormTexts::colourText(QWidget *widget, const QColor &colour)
{
    if (!widget || !colour.isValid())
        return;
    QPalette palette = widget->palette();
    palette.setColor(QPalette::WindowText, colour);
    palette.setColor(QPalette::Text, colour);
    widget->setPalette(palette);
}

bool SubFormTexts::stamp(QWidget *control, const SubFormUser &user, qsizetype maxLength)
{
    const data::Record settings = core::SettingsRecord::instance().record();
    core::StampSettings fallback;
    fallback.templateText = settings.text(QStringLiteral("PAR:DateTimeStamp"));
    fallback.insertPosition = int(settings.integer(QStringLiteral("PAR:DateTimeStampInsPos")));
    const core::StampSource source = core::readStampSource(user.userIniPath, fallback);
    return core::ui::insertDateTimeStamp(control, source, core::currentStampValues(user.mak), maxLength);
}

void SubFormTexts::sendRefresh(const QString &files)
{
    if (core::RefreshNotices *notices = core::Services::refreshNotices())
        notices->sendRefresh(files);
}

} // namespace tarvo::issues::ui
