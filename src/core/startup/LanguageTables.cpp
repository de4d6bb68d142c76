#include "core/startup/LanguageTables.h"

#include "core/startup/GermanButtonTexts.h"
#include "core/startup/ProgramGlobals.h"
#include "platform/runtime/DayDate.h"
#include "platform/runtime/PictureLocale.h"
#include "platform/runtime/Translator.h"

#include <QCoreApplication>

namespace tarvo::core {

void LanguageTables::apply(bool german)
{
    if (!german) {
        ProgramGlobals::setWeekdayNames(DayDate::weekdayNames(DayDate::Language::English));
        return;
    }
    Translator::instance().addTable();
    PictureLocale locale = PictureLocale::current();
    const PictureLocale names = PictureLocale::german();
    locale.monthNames = names.monthNames;
    locale.shortMonthNames = names.shortMonthNames;
    PictureLocale::setCurrent(locale);
    ProgramGlobals::setWeekdayNames(DayDate::weekdayNames(DayDate::Language::German));
    if (QCoreApplication *app = QCoreApplication::instance()) {
        static GermanButtonTexts *buttons = nullptr;
        if (!buttons) {
            buttons = new GermanButtonTexts;
            buttons->setParent(app);
            QCoreApplication::installTranslator(buttons);
        }
    }
}

} // namespace tarvo::core
