#include "core/dictionary/DeclHelpers.h"
#include "core/dictionary/TarvoDictionary.h"

namespace tarvo::core {

using namespace decl;

namespace {
const QString kAutoNumber = QStringLiteral("AUTONUMBER");
}

data::FileDecl programsFile()
{
    auto f = file(QStringLiteral("Programs"), QStringLiteral("PRG"), QStringLiteral("Programs.TPS"), 5);
    f.fields = {
        longField("ID"),
        longField("P"),
        longField("Sort"),
        stringField("PrgName", 250),
        stringField("Homepage", 250),
        stringField("Status", 35),
        memoField("Description", 4096),
    };
    f.keys = {
        key("KeyID", {asc("ID")}, Unique | Primary | AutoNumber),
        key("KeyP", {asc("P")}),
        key("KeyPSort", {asc("P"), asc("Sort")}),
        key("KeyPrgName", {asc("PrgName")}),
    };
    f.setIfNew = {{QStringLiteral("ID"), kAutoNumber}};
    return f;
}

data::FileDecl programsAliasFile()
{
    auto f = aliasFile(programsFile(), QStringLiteral("ProgramsAlias"), QStringLiteral("PRG1"));
    f.setIfNew = {{QStringLiteral("ID"), kAutoNumber}};
    return f;
}

data::FileDecl programfilesFile()
{
    auto f = file(QStringLiteral("Programfiles"), QStringLiteral("PFIL"), QStringLiteral("Prgfiles.TPS"), 4);
    f.fields = {
        stringField("PRGNAME", 250),    longField("PRGID"),
        stringField("FILE", 255),       stringField("SINCERELEASE", 35),
        memoField("Description", 1000),
    };
    f.keys = {key("KeyPrgIDFile", {asc("PRGID"), asc("FILE")})};
    return f;
}

data::FileDecl releasesFile()
{
    auto f = file(QStringLiteral("Releases"), QStringLiteral("REL"), QStringLiteral("Releases.TPS"), 4);
    f.fields = {
        stringField("PRGNAME", 250),    longField("PRGID"),
        stringField("Release", 35),     longField("ReleaseDate"),
        memoField("Description", 1000),
    };
    f.keys = {key("KeyPrgIDRelease", {asc("PRGID"), desc("Release")})};
    return f;
}

data::FileDecl webLinksFile()
{
    auto f = file(QStringLiteral("WebLinks"), QStringLiteral("WEB"), QStringLiteral("WebLinks.TPS"), 0);
    f.fields = {
        longField("ID"),
        longField("P"),
        longField("Sort"),
        longField("PrgID"),
        stringField("Description", 255),
        stringField("Link", 1024),
        stringField("UserName", 255),
        stringField("Password", 255),
        stringField("PIN", 255),
        memoField("Notes", 2048),
    };
    f.keys = {
        key("KeyID", {asc("ID")}, Unique | Primary | AutoNumber),
        key("KeyP", {asc("P")}),
        key("KeyPSort", {asc("P"), asc("Sort")}),
        key("KeyPrgIDSortDescription", {asc("PrgID"), asc("Sort"), asc("Description")}, Unique),
    };
    return f;
}

data::FileDecl webLinksAliasFile()
{
    return aliasFile(webLinksFile(), QStringLiteral("WebLinksAlias"), QStringLiteral("WEB1"));
}

} // namespace tarvo::core
