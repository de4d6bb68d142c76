#pragma once

#include <QChar>
#include <QString>
#include <QStringView>
#include <QVariant>

#include <optional>

namespace tarvo {

// A numeric display picture ("@n-14", "n_7", "@n3", "@n07", "@n12`2", "@n-10.2B" ...): how a
// number is written and read back. Written numbers are right-aligned to the picture's width; a
// number wider than the picture is written whole rather than hidden.
class NumberPicture final {
  public:
    // Reads the part after the letter N: [sign] [fill] width [grouping] [decimals] [sign] [B].
    static std::optional<NumberPicture> parse(QStringView spec);

    int width() const { return m_width; }
    int places() const { return m_places; }

    QString format(qint64 value) const;
    QString format(double value) const;
    // A whole number (qint64) or, with decimals, a double; 0 for blank text; an invalid
    // QVariant when the text is no number.
    QVariant deformat(QStringView text) const;

  private:
    enum class Sign { None, Leading, Trailing, Parentheses };

    QString compose(bool negative, const QString &whole, const QString &fraction) const;

    Sign m_sign = Sign::None;
    QChar m_fill;     // '0', '*', or null for blanks
    QChar m_grouping; // null: no thousands separator
    QChar m_decimal;  // null: implied (no symbol)
    int m_width = 0;
    int m_places = 0;
    bool m_blankWhenZero = false;
};

} // namespace tarvo
