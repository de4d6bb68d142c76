#include "core/startup/CharsetCode.h"

#include "core/startup/ProgramGlobals.h"
#include "platform/runtime/Text.h"

#include <array>
#include <utility>

namespace tarvo::core {

namespace {

constexpr std::array<std::pair<const char *, int>, 8> kCodes{{
    {"ANSI", 0},
    {"Greek", 161},
    {"Turkish", 162},
    {"Hebrew", 177},
    {"Arabic", 178},
    {"Baltic", 186},
    {"Cyrillic", 204},
    {"Thai", 222},
}};

} // namespace

std::optional<int> CharsetCode::codeOf(const QString &charset)
{
    const QString name = Text::clip(charset);
    for (const auto &[text, code] : kCodes)
        if (name == QLatin1String(text))
            return code;
    return std::nullopt;
}

int CharsetCode::apply(const QString &charset, int current)
{
    return codeOf(charset).value_or(current);
}

QString CharsetCode::loginInformation(int code)
{
    return Text::clip(ProgramGlobals::programVersion()) + QChar(0x00B0) + QString::number(code);
}

} // namespace tarvo::core
