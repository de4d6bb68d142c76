#pragma once

#include "access/AccessRecords.h"

#include <QVariant>

#include <functional>
#include <vector>

namespace tarvo::access {

// How a record struct maps onto the declared fields of its table (field names without prefix).
template <class R> struct FieldBinding final {
    QString field;
    std::function<QVariant(const R &)> get;
    std::function<void(R &, const QVariant &)> set;
};

template <class R, class T> FieldBinding<R> fieldBinding(const char *field, T R::*member)
{
    return {QString::fromLatin1(field), [member](const R &r) { return QVariant::fromValue(r.*member); },
            [member](R &r, const QVariant &v) { r.*member = v.value<T>(); }};
}

// The bindings are made once: every read and write of a record goes through them.
inline const std::vector<FieldBinding<UserRecord>> &userFields()
{
    using U = UserRecord;
    static const std::vector<FieldBinding<U>> fields = [] {
        std::vector<FieldBinding<U>> c = {fieldBinding("SEIT", &U::seit),
                                          fieldBinding("ANREDE", &U::anrede),
                                          fieldBinding("NAME", &U::name),
                                          fieldBinding("ZUSATZ", &U::zusatz),
                                          fieldBinding("STRASSE", &U::strasse),
                                          fieldBinding("LKZ", &U::lkz),
                                          fieldBinding("PLZ", &U::plz),
                                          fieldBinding("ORT", &U::ort),
                                          fieldBinding("TELEFON", &U::telefon),
                                          fieldBinding("FAX", &U::fax),
                                          fieldBinding("MOBILTELEFON", &U::mobiltelefon),
                                          fieldBinding("EMAIL", &U::email),
                                          fieldBinding("INTERNET", &U::internet),
                                          fieldBinding("MAK", &U::mak),
                                          fieldBinding("PASSWORT", &U::passwort),
                                          fieldBinding("TYP", &U::typ),
                                          fieldBinding("GUELTIGBIS", &U::gueltigBis),
                                          fieldBinding("INAKTIV", &U::inaktiv),
                                          fieldBinding("PASSWORTAENDERN", &U::passwortAendern),
                                          fieldBinding("PASSWORTPERMANENT", &U::passwortPermanent),
                                          fieldBinding("PASSWORTERNEUERN", &U::passwortErneuern),
                                          fieldBinding("PASSWORTABLAUF", &U::passwortAblauf),
                                          fieldBinding("COMPUTERNAME", &U::computerName),
                                          fieldBinding("USERLONG1", &U::userLong1),
                                          fieldBinding("USERLONG2", &U::userLong2),
                                          fieldBinding("FEHLVERSUCHE", &U::fehlversuche)};
        for (int i = 0; i < 9; ++i)
            c.push_back({QStringLiteral("USERBYTE%1").arg(i + 1),
                         [i](const U &r) { return QVariant(r.userByte[i]); },
                         [i](U &r, const QVariant &v) { r.userByte[i] = v.toInt(); }});
        return c;
    }();
    return fields;
}

inline const std::vector<FieldBinding<OptionsRecord>> &optionsFields()
{
    using O = OptionsRecord;
    static const std::vector<FieldBinding<OptionsRecord>> fields = {
        fieldBinding("ID", &O::id),
        fieldBinding("DISABLESECCHECK", &O::disableSecCheck),
        fieldBinding("LOGINONLY", &O::loginOnly),
        fieldBinding("REQUIREPASSWORD", &O::requirePassword),
        fieldBinding("AUDITLOGIN", &O::auditLogin),
        fieldBinding("DISABLEUSER", &O::disableUser),
        fieldBinding("NOLOGINS", &O::noLogins),
        fieldBinding("MINPASSWORDLEN", &O::minPasswordLen),
        fieldBinding("NOPASSWORD", &O::noPassword),
        fieldBinding("WARN", &O::warn),
        fieldBinding("MASTERMAK", &O::masterMak),
        fieldBinding("MASTERPASSWORD", &O::masterPassword),
        fieldBinding("MASTERCHANGEDATE", &O::masterChangeDate),
        fieldBinding("MASTERCHANGETIME", &O::masterChangeTime),
        fieldBinding("MASTERCHANGEMAK", &O::masterChangeMak),
        fieldBinding("MASTERABGELAUFEN", &O::masterAbgelaufen)};
    return fields;
}

inline const std::vector<FieldBinding<ProcRecord>> &procFields()
{
    static const std::vector<FieldBinding<ProcRecord>> fields = {
        fieldBinding("PROC", &ProcRecord::proc), fieldBinding("DESCRIPTION", &ProcRecord::description)};
    return fields;
}

inline const std::vector<FieldBinding<ResourceRecord>> &resourceFields()
{
    using R = ResourceRecord;
    static const std::vector<FieldBinding<ResourceRecord>> fields = {
        fieldBinding("RESOURCEID", &R::resourceId),     fieldBinding("PROC", &R::proc),
        fieldBinding("RESOURCE", &R::resource),         fieldBinding("DESCRIPTION", &R::description),
        fieldBinding("DESCRIPTION2", &R::description2), fieldBinding("TYP", &R::typ)};
    return fields;
}

inline const std::vector<FieldBinding<PasswordRecord>> &passwordFields()
{
    static const std::vector<FieldBinding<PasswordRecord>> fields = {
        fieldBinding("MAK", &PasswordRecord::mak), fieldBinding("PASSWORD", &PasswordRecord::password),
        fieldBinding("DATE", &PasswordRecord::date)};
    return fields;
}

inline const std::vector<FieldBinding<LoginRecord>> &loginFields()
{
    static const std::vector<FieldBinding<LoginRecord>> fields = {
        fieldBinding("MAK", &LoginRecord::mak), fieldBinding("DATE", &LoginRecord::date),
        fieldBinding("TIME", &LoginRecord::time), fieldBinding("COMPUTER", &LoginRecord::computer)};
    return fields;
}

} // namespace tarvo::access
