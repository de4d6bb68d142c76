#pragma once

#include <QString>
#include <QStringList>

namespace tarvo {

// The system's date and time formats and names that the display pictures use where they ask for
// "the system's" short or long format (@D17, @D18, @T7, @T8) or for month and day names.
// Patterns use d dd ddd dddd, M MM MMM MMMM, yy yyyy, H HH (24 hours), h hh (12 hours), m mm,
// s ss and AP or ap; any other character is written as it is.
struct PictureLocale final {
    QString shortDate;
    QString longDate;
    QString shortTime;
    QString longTime;
    QStringList monthNames;      // January first
    QStringList shortMonthNames; // January first
    QStringList dayNames;        // Sunday first

    // MM/dd/yyyy, HH:mm and HH:mm:ss with English names: the default.
    static PictureLocale english();
    // dd.MM.yyyy, HH:mm and HH:mm:ss with the German names that the start-up sets.
    static PictureLocale german();

    // The formats in force for the whole process. Set them at start-up, before other threads run.
    static PictureLocale current();
    static void setCurrent(const PictureLocale &locale);
};

} // namespace tarvo
