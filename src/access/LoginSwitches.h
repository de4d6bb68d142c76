#pragma once

#include <QStringList>

#include <optional>

namespace tarvo::access {

// The login's command-line switches "/User", "/Password" and "/AutoLogin". A switch is a whole
// argument, compared without regard to case; its value follows "=", or is the next argument.
struct LoginSwitches final {
    std::optional<QString> user;
    std::optional<QString> password;
    bool autoLogin = false;

    static LoginSwitches parse(const QStringList &arguments);
};

} // namespace tarvo::access
