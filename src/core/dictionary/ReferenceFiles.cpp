#include "core/dictionary/DeclHelpers.h"
#include "core/dictionary/TarvoDictionary.h"

namespace tarvo::core {

using namespace decl;

namespace {

// The one-text lists: a single field, which is also the primary key.
data::FileDecl textList(const QString &label, const QString &prefix, const QString &physicalName,
                        const QString &fieldName, int size, const QString &keyName)
{
    auto f = file(label, prefix, physicalName, 0);
    f.fields = {stringField(fieldName, size)};
    f.keys = {key(keyName, {asc(fieldName)}, Unique | Primary)};
    return f;
}

} // namespace

data::FileDecl statusFile()
{
    auto f = file(QStringLiteral("Status"), QStringLiteral("STA"), QStringLiteral("Status.TPS"), 8);
    f.fields = {
        stringField("PRGNAME", 250), longField("PrgID"), byteField("SORT"),
        stringField("STATUS", 35),   byteField("GRAY"),  longField("COLOR"),
    };
    f.keys = {
        key("KeyPrgIDSortStatus", {asc("PrgID"), asc("SORT"), asc("STATUS")}),
        key("KeyPrgIDSort", {asc("PrgID"), asc("SORT")}),
        key("KeyPrgIDStatus", {asc("PrgID"), asc("STATUS")}),
    };
    return f;
}

data::FileDecl severityFile()
{
    auto f = file(QStringLiteral("Severity"), QStringLiteral("SEV"), QStringLiteral("Severity.TPS"), 5);
    f.fields = {
        stringField("PRGNAME", 250),
        longField("PrgID"),
        longField("SORT"),
        stringField("SEVERITY", 35),
    };
    f.keys = {key("KeyPrgIDSortSeverity", {asc("PrgID"), asc("SORT"), asc("SEVERITY")}, Unique | Primary)};
    return f;
}

data::FileDecl classificationFile()
{
    auto f = file(QStringLiteral("Classification"), QStringLiteral("CLA"), QStringLiteral("Class.TPS"), 5);
    f.fields = {
        stringField("PRGNAME", 250),
        longField("PrgID"),
        longField("SORT"),
        stringField("CLASSIFICATION", 35),
    };
    f.keys = {key("KeyPrgIDSortClassification", {asc("PrgID"), asc("SORT"), asc("CLASSIFICATION")},
                  Unique | Primary)};
    return f;
}

data::FileDecl priorityFile()
{
    auto f = file(QStringLiteral("Priority"), QStringLiteral("PRI"), QStringLiteral("Priority.TPS"), 1);
    f.fields = {
        stringField("PRIORITY", 35),
        byteField("PRIORITYSORT"),
        longField("COLOR"),
    };
    f.keys = {key("KeyPrioritySort", {asc("PRIORITYSORT")}, Unique | Primary)};
    return f;
}

data::FileDecl reproducibleFile()
{
    return textList(QStringLiteral("Reproducible"), QStringLiteral("REP"), QStringLiteral("Reprod.TPS"),
                    QStringLiteral("REPRODUCIBLE"), 35, QStringLiteral("KeyReproducible"));
}

data::FileDecl resolutionFile()
{
    return textList(QStringLiteral("Resolution"), QStringLiteral("RES"), QStringLiteral("Resol.TPS"),
                    QStringLiteral("RESOLUTION"), 35, QStringLiteral("KeyResolution"));
}

data::FileDecl contractTypesFile()
{
    return textList(QStringLiteral("ContractTypes"), QStringLiteral("CON"), QStringLiteral("Contract.TPS"),
                    QStringLiteral("CONTRACTTYPE"), 50, QStringLiteral("KeyContractType"));
}

data::FileDecl bugDescFile()
{
    return textList(QStringLiteral("BugDesc"), QStringLiteral("BUD"), QStringLiteral("BugDesc.TPS"),
                    QStringLiteral("DESCRIPTION"), 255, QStringLiteral("KeyDescription"));
}

data::FileDecl tipsFile()
{
    auto f = file(QStringLiteral("Tips"), QStringLiteral("TIP"), QStringLiteral("Tips.TPS"), 0);
    f.fields = {
        longField("ID"),
        stringField("DESC", 255),
        memoField("Tip", 4096),
    };
    f.keys = {
        key("KeyID", {asc("ID")}, Unique | Primary | AutoNumber),
        key("KeyDesc", {asc("DESC")}),
    };
    return f;
}

} // namespace tarvo::core
