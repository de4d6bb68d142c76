#include "platform/data/TextCollation.h"

#include <QCollator>
#include <QLocale>

#include <algorithm>

namespace tarvo::data {

namespace {

// ICU collators are not shared across threads: one pair per thread.
struct Collators {
    Collators()
    {
        sensitive.setCaseSensitivity(Qt::CaseSensitive);
        insensitive.setCaseSensitivity(Qt::CaseInsensitive);
    }
    QCollator sensitive{QLocale(QLocale::English, QLocale::UnitedStates)};
    QCollator insensitive{QLocale(QLocale::English, QLocale::UnitedStates)};
};

int sign(int n)
{
    return n < 0 ? -1 : (n > 0 ? 1 : 0);
}

// The order of the code points, which is the order of the UTF-8 bytes: UTF-16 units compare
// alike once the surrogates (above U+FFFF) are moved above the rest of the basic plane.
int codePointOrder(QStringView a, QStringView b)
{
    const auto rank = [](char16_t c) {
        return c >= 0xE000 ? int(c) - 0x800 : (c >= 0xD800 ? int(c) + 0x2000 : int(c));
    };
    const qsizetype n = std::min(a.size(), b.size());
    for (qsizetype i = 0; i < n; ++i)
        if (a[i] != b[i])
            return rank(a[i].unicode()) < rank(b[i].unicode()) ? -1 : 1;
    return a.size() == b.size() ? 0 : (a.size() < b.size() ? -1 : 1);
}

} // namespace

int TextCollation::compare(QStringView a, QStringView b, bool caseInsensitive)
{
    thread_local Collators collators;
    const int c = (caseInsensitive ? collators.insensitive : collators.sensitive).compare(a, b);
    if (c != 0 || caseInsensitive)
        return sign(c);
    return codePointOrder(a, b);
}

} // namespace tarvo::data
