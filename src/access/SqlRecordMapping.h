#pragma once

#include "access/AccessRecords.h"

#include <QVariant>

#include <functional>
#include <vector>

namespace tarvo::access {

// How a record struct maps onto the declared fields of its table (field names without prefix).
template <class R> struct SqlColumn final {
    QString field;
    std::function<QVariant(const R &)> get;
    std::function<void(R &, const QVariant &)> set;
};

template <class R, class T> SqlColumn<R> sqlColumn(const char *field, T R::*member)
{
    return {QString::fromLatin1(field), [member](const R &r) { return QVariant::fromValue(r.*member); },
            [member](R &r, const QVariant &v) { r.*member = v.value<T>(); }};
}

inline std::vector<SqlColumn<UserRecord>> userColumns()
{
    using U = UserRecord;
    std::vector<SqlColumn<U>> c = {sqlColumn("SEIT", &U::seit),
                                   sqlColumn("ANREDE", &U::anrede),
                                   sqlColumn("NAME", &U::name),
                                   sqlColumn("ZUSATZ", &U::zusatz),
                                   sqlColumn("STRASSE", &U::strasse),
                                   sqlColumn("LKZ", &U::lkz),
                                   sqlColumn("PLZ", &U::plz),
                                   sqlColumn("ORT", &U::ort),
                                   sqlColumn("TELEFON", &U::telefon),
                                   sqlColumn("FAX", &U::fax),
                                   sqlColumn("MOBILTELEFON", &U::mobiltelefon),
                                   sqlColumn("EMAIL", &U::email),
                                   sqlColumn("INTERNET", &U::internet),
                                   sqlColumn("MAK", &U::mak),
                                   sqlColumn("PASSWORT", &U::passwort),
                                   sqlColumn("TYP", &U::typ),
                                   sqlColumn("GUELTIGBIS", &U::gueltigBis),
                                   sqlColumn("INAKTIV", &U::inaktiv),
                                   sqlColumn("PASSWORTAENDERN", &U::passwortAendern),
                                   sqlColumn("PASSWORTPERMANENT", &U::passwortPermanent),
                                   sqlColumn("PASSWORTERNEUERN", &U::passwortErneuern),
                                   sqlColumn("PASSWORTABLAUF", &U::passwortAblauf),
                                   sqlColumn("COMPUTERNAME", &U::computerName),
                                   sqlColumn("USERLONG1", &U::userLong1),
                                   sqlColumn("USERLONG2", &U::userLong2),
                                   sqlColumn("FEHLVERSUCHE", &U::fehlversuche)};
    for (int i = 0; i < 9; ++i)
        c.push_back({QStringLiteral("USERBYTE%1").arg(i + 1),
                     [i](const U &r) { return QVariant(r.userByte[i]); },
                     [i](U &r, const QVariant &v) { r.userByte[i] = v.toInt(); }});
    return c;
}

inline std::vector<SqlColumn<OptionsRecord>> optionsColumns()
{
    using O = OptionsRecord;
    return {sqlColumn("ID", &O::id),
            sqlColumn("DISABLESECCHECK", &O::disableSecCheck),
            sqlColumn("LOGINONLY", &O::loginOnly),
            sqlColumn("REQUIREPASSWORD", &O::requirePassword),
            sqlColumn("AUDITLOGIN", &O::auditLogin),
            sqlColumn("DISABLEUSER", &O::disableUser),
            sqlColumn("NOLOGINS", &O::noLogins),
            sqlColumn("MINPASSWORDLEN", &O::minPasswordLen),
            sqlColumn("NOPASSWORD", &O::noPassword),
            sqlColumn("WARN", &O::warn),
            sqlColumn("MASTERMAK", &O::masterMak),
            sqlColumn("MASTERPASSWORD", &O::masterPassword),
            sqlColumn("MASTERCHANGEDATE", &O::masterChangeDate),
            sqlColumn("MASTERCHANGETIME", &O::masterChangeTime),
            sqlColumn("MASTERCHANGEMAK", &O::masterChangeMak),
            sqlColumn("MASTERABGELAUFEN", &O::masterAbgelaufen)};
}

inline std::vector<SqlColumn<ProcRecord>> procColumns()
{
    return {sqlColumn("PROC", &ProcRecord::proc), sqlColumn("DESCRIPTION", &ProcRecord::description)};
}

inline std::vector<SqlColumn<ResourceRecord>> resourceColumns()
{
    using R = ResourceRecord;
    return {sqlColumn("RESOURCEID", &R::resourceId),     sqlColumn("PROC", &R::proc),
            sqlColumn("RESOURCE", &R::resource),         sqlColumn("DESCRIPTION", &R::description),
            sqlColumn("DESCRIPTION2", &R::description2), sqlColumn("TYP", &R::typ)};
}

inline std::vector<SqlColumn<PasswordRecord>> passwordColumns()
{
    return {sqlColumn("MAK", &PasswordRecord::mak), sqlColumn("PASSWORD", &PasswordRecord::password),
            sqlColumn("DATE", &PasswordRecord::date)};
}

inline std::vector<SqlColumn<LoginRecord>> loginColumns()
{
    return {sqlColumn("MAK", &LoginRecord::mak), sqlColumn("DATE", &LoginRecord::date),
            sqlColumn("TIME", &LoginRecord::time), sqlColumn("COMPUTER", &LoginRecord::computer)};
}

} // namespace tarvo::access
