#include "listext/ColourNames.h"

#include <array>
#include <utility>

namespace tarvo::listext {

namespace {

const std::array<std::pair<const char *, int>, 17> Table{{
    {"None", -1},
    {"Black", 0},
    {"Maroon", 128},
    {"Green", 32768},
    {"Olive", 32896},
    {"Navy", 8388608},
    {"Purple", 8388736},
    {"Teal", 8421376},
    {"Gray", 8421504},
    {"Silver", 12632256},
    {"Red", 255},
    {"Lime", 65280},
    {"Yellow", 65535},
    {"Blue", 16711680},
    {"Fuschia", 16711935},
    {"Aqua", 16776960},
    {"White", 16777215},
}};

} // namespace

QStringList ColourNames::names()
{
    QStringList out;
    for (const auto &[n, v] : Table)
        out << QLatin1String(n);
    return out;
}

std::optional<int> ColourNames::value(const QString &name)
{
    for (const auto &[n, v] : Table)
        if (name == QLatin1String(n))
            return v;
    return std::nullopt;
}

std::optional<QString> ColourNames::name(int value)
{
    for (const auto &[n, v] : Table)
        if (value == v)
            return QString::fromLatin1(n);
    return std::nullopt;
}

} // namespace tarvo::listext
