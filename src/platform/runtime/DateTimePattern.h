#pragma once

#include "platform/runtime/PictureLocale.h"

#include <QDate>
#include <QString>
#include <QStringView>

#include <optional>

namespace tarvo {

// Writes and reads dates and times by the patterns of PictureLocale (which names the letters).
class DateTimePattern final {
  public:
    static QString formatDate(QDate date, QStringView pattern, const PictureLocale &locale);
    // hundredths: since midnight; hours are not wrapped at 24.
    static QString formatTime(qint64 hundredths, QStringView pattern);

    // Reads a date as written by formatDate or typed by a user: numbers in the order that the
    // pattern gives day, month and year, any separators, month names, "20261210" without
    // separators; a missing year (and month) is taken from today, a two-digit year lies within
    // 80 years before and 19 years after today. Nothing when the text is no valid date.
    static std::optional<QDate> parseDate(QStringView text, QStringView pattern, const PictureLocale &locale,
                                          QDate today);
    // Reads a time of day ("17:30", "5:30 pm", "173000", "17.30.15,25"); hundredths since
    // midnight, nothing when it is no valid time.
    static std::optional<qint64> parseTime(QStringView text);

    // The pattern with its one-letter day, month and hour fields written with two digits.
    static QString withTwoDigits(QStringView pattern);
};

} // namespace tarvo
