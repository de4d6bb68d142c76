#include "platform/data/expr/Format.h"

#include <QRegularExpression>

#include <cmath>

namespace tarvo::data::expr {

namespace {

const QRegularExpression &numberPicture()
{
    static const QRegularExpression re(QStringLiteral("^@[Nn](0?)([1-9][0-9]?)$"));
    return re;
}

} // namespace

bool Format::supports(const QString &picture)
{
    return numberPicture().match(picture).hasMatch();
}

QString Format::apply(double value, const QString &picture)
{
    const auto m = numberPicture().match(picture);
    if (!m.hasMatch())
        return {};
    const bool zeroFill = !m.captured(1).isEmpty();
    const int width = m.captured(2).toInt();
    // Rounded half away from zero in double, so that values beyond 64 bits keep their digits;
    // what is not a number has none and shows as too wide.
    const double whole = std::round(value);
    if (!std::isfinite(whole))
        return QString(width, u'#');
    const bool negative = whole < 0;
    QString digits = QString::number(std::fabs(whole), 'f', 0);
    if (negative)
        digits.prepend(u'-');
    if (digits.size() > width)
        return QString(width, u'#');
    if (zeroFill && negative)
        return u'-' + digits.mid(1).rightJustified(width - 1, u'0');
    return digits.rightJustified(width, zeroFill ? u'0' : u' ');
}

} // namespace tarvo::data::expr
