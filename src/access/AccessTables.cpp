#include "access/AccessTables.h"

namespace tarvo::access {

namespace {

using data::DictionaryDecl;
using data::FieldDecl;
using data::FieldType;
using data::FileDecl;
using data::KeyDecl;
using data::RelationDecl;
using data::RelationMode;

FieldDecl text(const char *name, int size)
{
    return {name, FieldType::String, size, 0, QStringLiteral("@s%1").arg(size)};
}
FieldDecl longField(const char *name, const char *picture = "")
{
    return {name, FieldType::Long, 0, 0, picture};
}
FieldDecl byteField(const char *name)
{
    return {name, FieldType::Byte, 0, 0, QString()};
}
FieldDecl dateField(const char *name)
{
    return longField(name, "@D017B");
}
FieldDecl timeField(const char *name)
{
    return longField(name, "@T08B");
}

KeyDecl key(const char *name, std::vector<data::KeyComponent> components, bool unique, bool primary,
            bool nocase)
{
    KeyDecl k;
    k.name = name;
    k.components = std::move(components);
    k.unique = unique;
    k.primary = primary;
    k.caseInsensitive = nocase;
    return k;
}

FileDecl benutzer()
{
    FileDecl f;
    f.label = table::Benutzer;
    f.prefix = "BEN";
    f.physicalName = "Vuvuzu\\!User";
    f.tableName = "Benutzer";
    // Version 3: passwords became hashes (wider field) and the failed-login count moved into the
    // user's row, so that a restart of the program does not reset it.
    f.version = 3;
    f.fields = {dateField("SEIT"),
                text("ANREDE", 35),
                text("NAME", 35),
                text("ZUSATZ", 35),
                text("STRASSE", 35),
                text("LKZ", 3),
                text("PLZ", 5),
                text("ORT", 35),
                text("TELEFON", 35),
                text("FAX", 35),
                text("MOBILTELEFON", 35),
                text("EMAIL", 100),
                text("INTERNET", 100),
                text("MAK", 35),
                text("PASSWORT", kPasswordHashWidth),
                byteField("TYP"),
                dateField("GUELTIGBIS"),
                byteField("INAKTIV"),
                byteField("PASSWORTAENDERN"),
                byteField("PASSWORTPERMANENT"),
                {"PASSWORTERNEUERN", FieldType::Decimal, 2, 0, "@n_3B"},
                dateField("PASSWORTABLAUF"),
                text("COMPUTERNAME", 35),
                longField("USERLONG1", "@n_7B"),
                longField("USERLONG2", "@n_7B")};
    for (int i = 1; i <= 9; ++i)
        f.fields.push_back(byteField(qPrintable(QStringLiteral("USERBYTE%1").arg(i))));
    f.fields.push_back({"FEHLVERSUCHE", FieldType::Short, 0, 0, "n3"});
    f.keys = {key("KeyMAK", {{"MAK"}}, true, true, true), key("KeyName", {{"NAME"}}, false, false, true)};
    f.insertDefaults = {{"TYP", "1"}, {"PASSWORTAENDERN", "1"}, {"PASSWORTPERMANENT", "1"}};
    f.setIfNew = {{"FEHLVERSUCHE", "0"}};
    return f;
}

FileDecl options()
{
    FileDecl f;
    f.label = table::Options;
    f.prefix = "OPT";
    f.physicalName = "Vuvuzu\\!Options";
    f.tableName = "Options";
    // Version 1: the master password is a hash and can be marked expired.
    f.version = 1;
    f.fields = {longField("ID"),
                byteField("DISABLESECCHECK"),
                byteField("LOGINONLY"),
                byteField("REQUIREPASSWORD"),
                byteField("AUDITLOGIN"),
                byteField("DISABLEUSER"),
                byteField("NOLOGINS"),
                byteField("MINPASSWORDLEN"),
                byteField("NOPASSWORD"),
                byteField("WARN"),
                text("MASTERMAK", 3),
                text("MASTERPASSWORD", kPasswordHashWidth),
                dateField("MASTERCHANGEDATE"),
                timeField("MASTERCHANGETIME"),
                text("MASTERCHANGEMAK", 35),
                byteField("MASTERABGELAUFEN")};
    f.keys = {key("KeyID", {{"ID"}}, true, true, false)};
    f.insertDefaults = {{"REQUIREPASSWORD", "1"},
                        {"NOLOGINS", "3"},
                        {"MINPASSWORDLEN", "1"},
                        {"WARN", "3"},
                        {"MASTERMAK", "wkz"}};
    f.setIfNew = {{"MASTERABGELAUFEN", "1"}};
    return f;
}

FileDecl proc()
{
    FileDecl f;
    f.label = table::Proc;
    f.prefix = "PRO";
    f.physicalName = "Vuvuzu\\!Proc";
    f.tableName = "Proc";
    f.fields = {text("PROC", 50), text("DESCRIPTION", 50), byteField("LOESCH")};
    f.keys = {key("KeyProc", {{"PROC"}}, true, true, true),
              key("KeyLoesch", {{"LOESCH"}}, false, false, false)};
    return f;
}

FileDecl resource()
{
    FileDecl f;
    f.label = table::Resource;
    f.prefix = "RESO";
    f.physicalName = "Vuvuzu\\!Resource";
    f.tableName = "Resource";
    f.fields = {longField("RESOURCEID"),  text("PROC", 50), text("RESOURCE", 50), text("DESCRIPTION", 50),
                text("DESCRIPTION2", 50), text("TYP", 35),  byteField("LOESCH")};
    KeyDecl id = key("KeyResourceID", {{"RESOURCEID"}}, true, true, false);
    id.autoNumber = true;
    f.keys = {id, key("KeyResource", {{"RESOURCE"}}, false, false, true),
              key("KeyProc", {{"PROC"}}, false, false, true),
              key("KeyLoesch", {{"LOESCH"}}, false, false, false)};
    return f;
}

FileDecl password()
{
    FileDecl f;
    f.label = table::Password;
    f.prefix = "PAS";
    f.physicalName = "Vuvuzu\\!Password";
    f.tableName = "Password";
    // Version 1: the history holds hashes.
    f.version = 1;
    f.fields = {text("MAK", 35), text("PASSWORD", kPasswordHashWidth), dateField("DATE")};
    f.keys = {key("KeyMAKPassword", {{"MAK"}, {"PASSWORD"}}, true, true, true),
              key("KeyMAKDate", {{"MAK"}, {"DATE", true}}, false, false, true)};
    return f;
}

FileDecl resUser()
{
    FileDecl f;
    f.label = table::ResUser;
    f.prefix = "REU";
    f.physicalName = "Vuvuzu\\!ResUser";
    f.tableName = "ResUser";
    f.fields = {text("MAK", 35), longField("RESOURCEID")};
    f.keys = {key("KeyMAKResourceID", {{"MAK"}, {"RESOURCEID"}}, true, true, true)};
    return f;
}

FileDecl logins()
{
    FileDecl f;
    f.label = table::Logins;
    f.prefix = "LOG";
    f.physicalName = "Vuvuzu\\!Logins";
    f.tableName = "Logins";
    f.fields = {text("MAK", 35), dateField("DATE"), timeField("TIME"), text("COMPUTER", 35)};
    f.keys = {key("KeyMAKDateTime", {{"MAK"}, {"DATE", true}, {"TIME", true}}, false, true, false)};
    return f;
}

FileDecl programLimit()
{
    FileDecl f;
    f.label = table::ProgramLimit;
    f.prefix = "PRL";
    f.physicalName = "Vuvuzu\\!ProgLimit";
    f.tableName = "ProgLimit";
    f.fields = {text("MAK", 35), text("PrgName", 250)};
    f.keys = {key("KeyMAKPrgname", {{"MAK"}, {"PrgName"}}, true, true, true)};
    f.managed = false;
    return f;
}

RelationDecl cascade(const char *parent, const char *child, const char *parentField, const char *childField,
                     const char *childKey)
{
    RelationDecl r;
    r.parent = parent;
    r.child = child;
    r.links = {{parentField, childField}};
    r.childKey = childKey;
    r.update = RelationMode::Cascade;
    r.remove = RelationMode::Cascade;
    return r;
}

DictionaryDecl build()
{
    DictionaryDecl d;
    d.files = {benutzer(), options(), proc(), resource(), password(), resUser(), logins(), programLimit()};
    d.relations = {cascade(table::Benutzer, table::ProgramLimit, "MAK", "MAK", "KeyMAKPrgname"),
                   cascade(table::Benutzer, table::ResUser, "MAK", "MAK", "KeyMAKResourceID"),
                   cascade(table::Benutzer, table::Password, "MAK", "MAK", "KeyMAKPassword"),
                   cascade(table::Proc, table::Resource, "PROC", "PROC", "KeyProc")};
    return d;
}

} // namespace

const data::DictionaryDecl &accessDictionary()
{
    static const DictionaryDecl dictionary = build();
    return dictionary;
}

} // namespace tarvo::access
