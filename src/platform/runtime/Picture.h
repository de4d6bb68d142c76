#pragma once

#include "platform/runtime/NumberPicture.h"
#include "platform/runtime/PictureLocale.h"

#include <QString>
#include <QStringView>
#include <QVariant>

#include <optional>

namespace tarvo {

// A display picture ("@s35", "@n-14", "n_7", "@D017B", "T08B" ...) and the one formatter that
// lists, history, placeholders and exports write and read values with. The leading "@" is
// optional and letter case does not matter. A picture that cannot be read shows the value's plain
// text.
class Picture final {
  public:
    enum class Kind { Invalid, String, Number, Date, Time };

    static Picture parse(QStringView text);

    Kind kind() const { return m_kind; }
    bool isValid() const { return m_kind != Kind::Invalid; }
    // Strings and numbers: the declared width; 0 for the others.
    int width() const;

    // Strings: the text cut to the width. Numbers: right-aligned to the width. Dates take day
    // numbers, times time values (hundredths since midnight plus one); QDate and QTime values
    // are taken too. With "B" a zero value gives an empty text.
    QString format(const QVariant &value, const PictureLocale &locale) const;
    // Reads back what format wrote, and what a user reasonably types: strings as text cut to
    // the width and clipped, numbers as qint64 (or double with decimals), dates as day numbers
    // and times as time values (qint64, 0 for an empty text). An invalid QVariant when the text
    // does not fit the picture.
    QVariant deformat(QStringView text, const PictureLocale &locale) const;

    // The same with the process's PictureLocale::current().
    static QString format(const QVariant &value, const QString &picture);
    static QVariant deformat(QStringView text, const QString &picture);

  private:
    QString formatDate(const QVariant &value, const PictureLocale &locale) const;
    QString formatTime(const QVariant &value, const PictureLocale &locale) const;
    QString pattern(const PictureLocale &locale) const;

    Kind m_kind = Kind::Invalid;
    int m_width = 0;
    std::optional<NumberPicture> m_number;
    int m_format = 0; // the date or time picture's number (@D6: 6)
    bool m_leadingZero = false;
    QChar m_separator;
    bool m_blankWhenZero = false;
};

} // namespace tarvo
