#include "core/dictionary/TarvoDictionary.h"

namespace tarvo::core {

namespace {

using data::RelationDecl;
using Link = std::pair<QString, QString>;
constexpr auto None = data::RelationMode::None;
constexpr auto Cascade = data::RelationMode::Cascade;

RelationDecl relation(const QString &parent, const QString &child, std::vector<Link> links,
                      const QString &childKey, data::RelationMode update, data::RelationMode remove)
{
    RelationDecl r;
    r.parent = parent;
    r.child = child;
    r.links = std::move(links);
    r.childKey = childKey;
    r.update = update;
    r.remove = remove;
    return r;
}

// The mail log keeps the mails of issues (type 0), mass e-mails (type 99) and report definitions side
// by side under overlapping numbers; an owner's cascade must reach only its own kind.
RelationDecl ownedMails(RelationDecl r, const QString &type)
{
    r.childCondition = {{QStringLiteral("Type"), type}};
    return r;
}

// The child's own registration of its parent: opened with the child, no rules of its own. It takes
// the links of the parent's relation, which comes first in the list.
RelationDecl plainLink(const std::vector<RelationDecl> &relations, const QString &child,
                       const QString &parent)
{
    for (const auto &r : relations) {
        if (r.parent == parent && r.child == child) {
            RelationDecl link = relation(parent, child, r.links, QString(), None, None);
            link.childCondition = r.childCondition;
            return link;
        }
    }
    return relation(parent, child, {}, QString(), None, None);
}

} // namespace

std::vector<data::RelationDecl> tarvoRelations()
{
    const QString issueMails = QStringLiteral("0");
    const QString massMails = QStringLiteral("99");
    std::vector<RelationDecl> relations = {
        relation("Customer", "CustomerContacts", {{"ID", "ID"}}, "KeyID", None, Cascade),
        relation("Customer", "CustomerPrograms", {{"ID", "ID"}}, "KeyIDPrgIDPurchasedDate", None, Cascade),
        relation("Customer", "Bugs", {{"ID", "ReportedByID"}}, "KEYREPORTEDBYID", None, None),
        relation("Bugs", "History", {{"ID", "ID"}}, "KeyIDDateTime", None, Cascade),
        relation("Bugs", "Notes", {{"ID", "ID"}}, "KeyIDCreatedDateCreatedTime", None, Cascade),
        relation("Bugs", "BugsResponsible", {{"ID", "ID"}}, "KeyIDResponsible", None, Cascade),
        ownedMails(relation("Bugs", "EMails", {{"ID", "ID"}}, "KeyIDTypeDateSendTimeSend", None, Cascade),
                   issueMails),
        relation("Bugs", "Attachments", {{"ID", "BUGID"}}, "KeyBugIDDescription", None, Cascade),
        relation("Attachments", "AttachmentFiles", {{"ID", "ID"}}, "KeyID", None, Cascade),
        relation("Print", "EMails", {{"TYPE", "Type"}, {"SORT", "SORT"}}, "KEYTYPESORTDATESENDTIMESEND",
                 Cascade, Cascade),
        ownedMails(
            relation("MassEMails", "EMails", {{"ID", "ID"}}, "KeyIDTypeDateSendTimeSend", None, Cascade),
            massMails),
        relation("FieldConfig", "FieldConditions", {{"FIELD", "FIELD"}}, "KeyFieldCondition", Cascade,
                 Cascade),
        relation("FieldConditions", "FieldSetValue", {{"ID", "ID"}}, "KeyIDRequiredField", Cascade, Cascade),
        relation("Releases", "Bugs", {{"PRGID", "PrgID"}, {"Release", "Version"}},
                 "KeyPrgIDVersionGrayCategoryID", Cascade, None),
        relation("Programfiles", "Bugs", {{"PRGID", "PrgID"}, {"FILE", "Programfile"}},
                 "KeyPrgIDProgramfileGrayCategoryID", Cascade, None),
        relation("Priority", "Bugs", {{"PRIORITYSORT", "PrioritySort"}}, "KeyPrioritySort", Cascade, None),
        relation("Programs", "Bugs", {{"ID", "PrgID"}}, "KeyPrgIDGrayCategoryID", None, Cascade),
        relation("Programs", "WebLinks", {{"ID", "PrgID"}}, "KeyPrgIDSortDescription", None, Cascade),
        relation("Programs", "Attachments", {{"ID", "PrgID"}}, "KeyPrgIDDescription", None, Cascade),
        relation("Programs", "CustomerPrograms", {{"ID", "PrgID"}}, "KeyPrgIDID", None, Cascade),
        relation("Programs", "Notes", {{"ID", "PrgID"}}, "KeyPrgIDCreatedDateCreatedTime", None, Cascade),
        // A program's parent, read through the alias; child programs survive their parent.
        relation("Programs", "ProgramsAlias", {{"P", "ID"}}, "KeyID", None, None),
        relation("Programs", "Programfiles", {{"ID", "PRGID"}}, "KeyPrgIDFile", None, Cascade),
        relation("Programs", "Classification", {{"ID", "PrgID"}}, "KeyPrgIDSortClassification", None,
                 Cascade),
        relation("Programs", "Severity", {{"ID", "PrgID"}}, "KeyPrgIDSortSeverity", None, Cascade),
        relation("Programs", "Status", {{"ID", "PrgID"}}, "KeyPrgIDSortStatus", None, Cascade),
        relation("Programs", "Releases", {{"ID", "PRGID"}}, "KeyPrgIDRelease", None, Cascade),
        relation("WebLinks", "WebLinksAlias", {{"P", "ID"}}, "KeyID", None, None),
    };

    // Plain links, child -> parents, in the order the children register them.
    const std::vector<std::pair<QString, QStringList>> parentsOf = {
        {"Bugs", {"Programfiles", "Releases", "Priority", "Customer", "Programs"}},
        {"History", {"Bugs"}},
        {"Notes", {"Programs", "Bugs"}},
        {"BugsResponsible", {"Bugs"}},
        {"Attachments", {"Programs", "Bugs"}},
        {"AttachmentFiles", {"Attachments"}},
        {"CustomerPrograms", {"Programs", "Customer"}},
        {"CustomerContacts", {"Customer"}},
        {"FieldConditions", {"FieldConfig"}},
        {"FieldSetValue", {"FieldConditions"}},
        {"Classification", {"Programs"}},
        {"Severity", {"Programs"}},
        {"Status", {"Programs"}},
        {"Releases", {"Programs"}},
        {"Programfiles", {"Programs"}},
        {"WebLinks", {"Programs"}},
        {"ProgramsAlias", {"Programs"}},
        {"WebLinksAlias", {"WebLinks"}},
        {"EMails", {"MassEMails", "Print", "Bugs"}},
    };
    for (const auto &[child, parents] : parentsOf) {
        for (const auto &parent : parents)
            relations.push_back(plainLink(relations, child, parent));
    }
    return relations;
}

} // namespace tarvo::core
