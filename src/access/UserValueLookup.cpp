#include "access/UserValueLookup.h"

#include "access/AccessSession.h"
#include "access/DayClock.h"
#include "platform/runtime/Text.h"

namespace tarvo::access {

namespace {

constexpr QChar kDegree(0x00B0);
constexpr QChar kMiddleDot(0x00B7);

// The fixed-width form of a text value (the caller receives the field as stored, blank-padded).
QString padded(const QString &text, int width)
{
    return text.leftJustified(width, u' ', true);
}

QString displayName(const QString &firstName, const QString &lastName)
{
    const QString first = Text::clip(firstName);
    return first.isEmpty() ? Text::clip(lastName) : first + u' ' + Text::clip(lastName);
}

bool isActive(const UserRecord &u, qint32 today)
{
    return !u.inaktiv && !(u.typ == 2 && u.gueltigBis > 0 && u.gueltigBis < today);
}

// Every key that reads a user answers "" when the store cannot be read.
std::optional<std::vector<UserRecord>> activeUsers()
{
    auto users = AccessSession::repository()->users();
    if (!users)
        return std::nullopt;
    const qint32 today = DayClock::today();
    std::vector<UserRecord> active;
    for (const auto &u : *users)
        if (isActive(u, today))
            active.push_back(u);
    return active;
}

} // namespace

QString UserValueLookup::value(const QString &key, const QString &userCode)
{
    const QString k = Text::clip(key.left(50)).toUpper();
    const QString code = Text::clip(userCode);
    const SessionState s = AccessSession::state();

    auto readUser = [&]() -> std::optional<UserRecord> {
        auto u = AccessSession::repository()->user(code);
        if (!u || !u->has_value())
            return std::nullopt;
        return **u;
    };

    if (k == u"ADMIN_VORHANDEN")
        return s.adminExists ? QStringLiteral("1") : QStringLiteral("0");
    if (k == u"IS_ADMIN")
        return s.isAdmin && !s.masterLogin ? QStringLiteral("1") : QStringLiteral("0");
    if (k == u"STATUSBENUTZER") {
        if (s.masterLogin)
            return QStringLiteral("Master Login");
        if (Text::clip(s.mak).isEmpty())
            return QString();
        return displayName(s.user.zusatz, s.user.name) + u' ' + kMiddleDot + QStringLiteral(" (") +
               Text::clip(s.mak) + u')';
    }
    if (k == u"USER") {
        if (code.isEmpty())
            return QString();
        const auto u = readUser();
        return u ? displayName(u->zusatz, u->name) : QString();
    }
    if (k == u"ALLUSERS" || k == u"ALLMAKUSERNAMES") {
        const auto users = activeUsers();
        if (!users)
            return QString();
        QString out;
        for (const auto &u : *users) {
            if (k == u"ALLUSERS")
                out += Text::clip(u.mak) + u'|';
            else
                out += Text::clip(u.anrede) + u'|' + Text::clip(u.mak) + u'|' + Text::clip(u.zusatz) + u' ' +
                       Text::clip(u.name) + kDegree;
        }
        out.chop(1);
        return out.left(8191);
    }
    if (k == u"USERVALID") {
        if (code.isEmpty())
            return QStringLiteral("1");
        auto u = AccessSession::repository()->user(code);
        if (!u)
            return QString();
        return u->has_value() && isActive(**u, DayClock::today()) ? QStringLiteral("1") : QStringLiteral("0");
    }
    if (k == u"BEN:USERLONG1")
        return QString::number(s.user.userLong1);
    if (k == u"BEN:USERLONG2")
        return QString::number(s.user.userLong2);
    for (int i = 1; i <= 9; ++i)
        if (k == QStringLiteral("BEN:USERBYTE%1").arg(i))
            return QString::number(s.user.userByte[size_t(i - 1)]);
    if (k == u"BEN:ANREDE")
        return padded(s.user.anrede, 35);
    if (k == u"BEN:TELEFON")
        return padded(s.user.telefon, 35);
    if (k == u"BEN:FAX")
        return padded(s.user.fax, 35);
    if (k == u"BEN:NAME")
        return padded(s.user.name, 35);
    if (k == u"BEN:ZUSATZ")
        return padded(s.user.zusatz, 35);
    if (k == u"BEN:EMAIL") {
        if (code.isEmpty())
            return padded(s.user.email, 100);
        const auto u = readUser();
        return u ? Text::clip(u->email) : QString();
    }
    if (k == u"WORKFLOWOPTIONS") {
        const auto u = readUser();
        if (!u)
            return QString();
        QString digits;
        for (int i = 1; i < 9; ++i)
            digits += QString::number(u->userByte[size_t(i)]);
        return digits;
    }
    return QString();
}

} // namespace tarvo::access
