#include "access/LoginSwitches.h"

namespace tarvo::access {

namespace {

// The value of a switch given as "/Name=value" or "/Name value"; nullopt when absent.
std::optional<QString> switchValue(const QStringList &arguments, const QString &name)
{
    for (qsizetype i = 1; i < arguments.size(); ++i) {
        const QString &arg = arguments.at(i);
        if (arg.startsWith(name + u'=', Qt::CaseInsensitive))
            return arg.mid(name.size() + 1);
        if (arg.compare(name, Qt::CaseInsensitive) == 0) {
            if (i + 1 < arguments.size() && !arguments.at(i + 1).startsWith(u'/'))
                return arguments.at(i + 1);
            return QString();
        }
    }
    return std::nullopt;
}

} // namespace

LoginSwitches LoginSwitches::parse(const QStringList &arguments)
{
    LoginSwitches s;
    s.user = switchValue(arguments, QStringLiteral("/User"));
    s.password = switchValue(arguments, QStringLiteral("/Password"));
    s.autoLogin = switchValue(arguments, QStringLiteral("/AutoLogin")).has_value();
    return s;
}

} // namespace tarvo::access
