#include "core/dictionary/DeclHelpers.h"
#include "core/dictionary/TarvoDictionary.h"

namespace tarvo::core {

using namespace decl;

data::FileDecl pathsFile()
{
    // Lives in the program's folder, not the data folder, and is opened without managers.
    auto f = file(QStringLiteral("PATHS"), QStringLiteral("PATH"), QStringLiteral("PATHS.TPS"), 0);
    f.managed = false;
    f.fields = {
        byteField("ID"),
        stringField("PATH", 256),
    };
    f.keys = {key("KEYID", {asc("ID")})};
    return f;
}

data::FileDecl programLimitFile()
{
    // The main program's read view of the access library's table of programs each user may see.
    auto f =
        file(QStringLiteral("ProgramLimit"), QStringLiteral("PRL"), QStringLiteral("Vuvuzu\\!ProgLimit"), 0);
    f.tableName = QStringLiteral("ProgLimit");
    f.managed = false;
    f.fields = {
        stringField("MAK", 35),
        stringField("PrgName", 250),
    };
    f.keys = {key("KeyMAKPrgname", {asc("MAK"), asc("PrgName")}, Unique | Primary)};
    // User codes are one code in any case: "jdo" reads the rows the store holds under "JDO".
    f.keys.front().caseInsensitive = true;
    return f;
}

data::FileDecl hotKeysFile()
{
    // The record of the one-time data corrections already applied; not part of the layout upgrade.
    auto f = file(QStringLiteral("HotKeys"), QStringLiteral("HOT"), QStringLiteral("HotKeys.tps"), 0);
    f.fields = {
        longField("ID"),
        stringField("DESC", 255),
        longField("DATE"),
        byteField("FIXED"),
    };
    f.keys = {key("KEYID", {asc("ID")}, Unique | Primary)};
    return f;
}

} // namespace tarvo::core
