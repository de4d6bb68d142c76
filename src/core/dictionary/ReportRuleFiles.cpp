#include "core/dictionary/DeclHelpers.h"
#include "core/dictionary/TarvoDictionary.h"

namespace tarvo::core {

using namespace decl;

data::FileDecl printFile()
{
    auto f = file(QStringLiteral("Print"), QStringLiteral("PRN"), QStringLiteral("Print.TPS"), 5);
    f.fields = {
        byteField("TYPE"),
        longField("SORT"),
        byteField("PRINTTYPE"),
        stringField("DESCRIPTION", 255),
        stringField("FILENAME", 255),
        stringField("OUTPUT", 35),
        byteField("JPEGQuality"),
        longField("Resolution"),
        stringField("ColorDepth", 35),
        stringField("PDFFontEmbedding", 50),
        stringField("HTMLTITLE", 255),
        stringField("EXPORTFILE", 255),
        byteField("EXPORTALLINONEFILE"),
        byteField("EXPORTQUIET"),
        byteField("EXPORTSHOWRESULT"),
        byteField("PRINTERSETUP"),
        byteField("EMAIL"),
        stringField("EMAILADDRESS", 255),
        stringField("EMAILCC", 255),
        stringField("EMailPriority", 7),
        stringField("EMAILSUBJECT", 255),
        memoField("EMailText", 16384),
        memoField("Notes", 2048),
    };
    f.keys = {key("KeyTypeSort", {asc("TYPE"), asc("SORT")}, Unique | Primary)};
    f.insertDefaults = {
        {QStringLiteral("PRINTTYPE"), QStringLiteral("1")},
        {QStringLiteral("JPEGQuality"), QStringLiteral("100")},
        {QStringLiteral("Resolution"), QStringLiteral("96")},
        {QStringLiteral("EXPORTALLINONEFILE"), QStringLiteral("1")},
        {QStringLiteral("EMailPriority"), QStringLiteral("Normal")},
    };
    f.rangeChecks = {{QStringLiteral("JPEGQuality"), 0, 100}};
    f.setIfNew = {
        {QStringLiteral("Resolution"), QStringLiteral("96")},
        {QStringLiteral("ColorDepth"), QStringLiteral("24bit")},
        {QStringLiteral("PDFFontEmbedding"), QStringLiteral("Use True Types")},
        {QStringLiteral("EMailPriority"), QStringLiteral("Normal")},
    };
    return f;
}

data::FileDecl releaseNotesFile()
{
    auto f = file(QStringLiteral("ReleaseNotes"), QStringLiteral("REN"), QStringLiteral("ReleaseN.TPS"), 1);
    f.fields = {
        stringField("DESCRIPTION", 255),      stringField("PRGNAME", 250), longField("PrgID"),
        byteField("LATESTRELEASE"),           byteField("ALLRELEASES"),    stringField("RELEASE", 35),
        stringField("RELEASENOTESFILE", 255), byteField("APPENDTOFILE"),   memoField("FileHeader", 2048),
        memoField("GroupHeader", 2048),       memoField("Detail", 2048),   memoField("GroupFooter", 2048),
        memoField("FileFooter", 2048),
    };
    f.keys = {key("KeyDescription", {asc("DESCRIPTION")}, Unique | Primary)};
    f.insertDefaults = {{QStringLiteral("LATESTRELEASE"), QStringLiteral("1")}};
    return f;
}

data::FileDecl fieldConfigFile()
{
    auto f = file(QStringLiteral("FieldConfig"), QStringLiteral("FIE"), QStringLiteral("FieldCon.TPS"), 2);
    f.fields = {
        stringField("FIELD", 50),    byteField("REQUIRED"),     byteField("READONLY"),
        stringField("DEFAULT", 255), byteField("NOMASSUPDATE"),
    };
    f.keys = {key("KeyField", {asc("FIELD")}, Unique | Primary)};
    return f;
}

data::FileDecl fieldConditionsFile()
{
    auto f =
        file(QStringLiteral("FieldConditions"), QStringLiteral("FIC"), QStringLiteral("FieldSVC.TPS"), 0);
    f.fields = {
        longField("ID"),
        stringField("FIELD", 50),
        stringField("CONDITION", 255),
    };
    f.keys = {
        key("KeyID", {asc("ID")}, Unique | Primary | AutoNumber),
        key("KeyFieldCondition", {asc("FIELD"), asc("CONDITION")}, Unique),
    };
    return f;
}

data::FileDecl fieldSetValueFile()
{
    auto f = file(QStringLiteral("FieldSetValue"), QStringLiteral("FIS"), QStringLiteral("FieldSV.TPS"), 2);
    f.fields = {
        longField("ID"),       stringField("FIELD", 50),  byteField("REQUIRED"),
        byteField("READONLY"), stringField("VALUE", 255),
    };
    f.keys = {key("KeyIDRequiredField", {asc("ID"), asc("REQUIRED"), asc("FIELD")}, Unique | Primary)};
    return f;
}

data::FileDecl viewsFile()
{
    // No window reads or writes saved views; the file is kept so that its stored rows survive.
    auto f = file(QStringLiteral("Views"), QStringLiteral("VIE"), QStringLiteral("Views.TPS"), 0);
    f.fields = {
        stringField("INITIALS", 3),        stringField("MODULE", 255),
        stringField("DESCRIPTION", 255),   cstringField("BROWSEFORMAT", 4097),
        cstringField("BROWSEORDER", 4097), cstringField("BROWSEFILTER", 4097),
    };
    f.keys = {key("InitialsModuleDescription", {asc("INITIALS"), asc("MODULE"), asc("DESCRIPTION")},
                  Unique | Primary)};
    return f;
}

} // namespace tarvo::core
