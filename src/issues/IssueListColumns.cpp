#include "issues/IssueListColumns.h"

namespace tarvo::issues {

namespace {

struct Column {
    const char *field;
    const char *header; // null: the field name without its prefix
    const char *picture;
    int width;
    bool shown;
};

// The tag mark and the priority icon are no fields of the view: they are made for each row.
constexpr Column Columns[] = {
    {"TagField", "", "@s1", 16, true},
    {"BUG:Category", "Category", "@n3", 24, true},
    {"BUG:ID", "ID", "@n_10", 80, true},
    {"PriorityIcon", "", "@n3", 16, true},
    {"BUG:Status", nullptr, "@s35", 80, true},
    {"BUG:Description", nullptr, "@s255", 330, true},
    {"BUG:ReportedBy", "Reported by", "@s100", 100, true},
    {"BUG:ReportedDate", "Report Date", "@D017B", 80, true},
    {"BUG:Identifier", nullptr, "@s35", 80, false},
    {"BUG:Priority", nullptr, "@s35", 60, false},
    {"BUG:Severity", nullptr, "@s35", 70, false},
    {"BUG:Classification", nullptr, "@s35", 110, false},
    {"BUG:Version", nullptr, "@s35", 50, false},
    {"BUG:Programfile", nullptr, "@s255", 100, false},
    {"BUG:Responsible", nullptr, "@s3", 40, false},
    {"BUG:EstTime", "Est Time", "@s35", 60, false},
    {"BUG:ActTime", "Act Time", "@s35", 60, false},
    {"BUG:DueDate", "Due Date", "@D017B", 80, false},
    {"BUG:FixedBy", "Fixed By", "@s3", 40, false},
    {"BUG:FixedDate", "Fixed Date", "@D017B", 80, false},
    {"BUG:FixedVersion", "Fixed Version", "@s35", 60, false},
    {"BUG:VerifiedBy", "Verified By", "@s3", 40, false},
    {"BUG:VerifiedDate", "Verified Date", "@D017B", 80, false},
    {"BUG:VerifiedVersion", "Verified Version", "@s35", 60, false},
    {"BUG:StartTime", "Start Time", "@T08B", 60, false},
    {"BUG:EndTime", "End Time", "@T08B", 60, false},
    {"BUG:Hardware", nullptr, "@s35", 80, false},
    {"BUG:OperatingSystem", "Operating System", "@s35", 80, false},
    {"BUG:OperatingSystemServicePack", "Operating System Service Pack", "@s35", 80, false},
    {"BUG:Network", nullptr, "@n3", 40, false},
    {"BUG:NetworkType", "Network Type", "@s35", 80, false},
    {"BUG:EnvironmentText", "Environment Text", "@s255", 200, false},
    {"BUG:CreateDate", "Create Date", "@D017B", 80, false},
    {"BUG:CreatedBy", "Created By", "@s3", 40, false},
    {"BUG:ChangedDate", "Changed Date", "@D017B", 80, false},
    {"BUG:ChangedBy", "Changed By", "@s3", 40, false},
    {"BUG:BugText", "Bug Text", "@s255", 200, false},
    {"BUG:RecreateText", "Recreate Text", "@s255", 200, false},
    {"BUG:WorkaroundText", "Workaround Text", "@s255", 200, false},
    {"BUG:ResolutionText", "Resolution Text", "@s255", 200, false},
    {"BUG:ReleaseNotes", "Release Notes", "@s255", 200, false},
    {"BUG:StatusSort", "Status Sort", "@n3", 40, false},
    {"BUG:CustomField1", "Custom Field 1", "@s255", 100, false},
    {"BUG:CustomField2", "Custom Field 2", "@s255", 100, false},
    {"BUG:CustomField3", "Custom Field 3", "@s255", 100, false},
    {"BUG:CustomField4", "Custom Field 4", "@s255", 100, false},
    {"BUG:CustomField5", "Custom Field 5", "@s255", 100, false},
    {"BUG:CustomField6", "Custom Field 6", "@s255", 100, false},
    {"BUG:CustomField7", "Custom Field 7", "@s255", 100, false},
    {"BUG:CustomField8", "Custom Field 8", "@s255", 100, false},
    {"BUG:CustomField9", "Custom Field 9", "@s255", 100, false},
    {"BUG:CustomField10", "Custom Field 10", "@s255", 100, false},
    {"BUG:ReportedByContact", "Reported By Contact", "@s100", 100, false},
};

listext::ColumnDefinition definition(const Column &c)
{
    listext::ColumnDefinition d;
    d.field = QLatin1String(c.field);
    const bool issueField = d.field.startsWith(QLatin1String("BUG:"));
    d.header = c.header ? QString::fromLatin1(c.header) : d.field.mid(4);
    d.description = d.header.isEmpty() ? d.field : d.header;
    d.picture = QLatin1String(c.picture);
    d.width = c.width;
    d.shown = c.shown;
    d.viewField = issueField;
    d.sortable = issueField || d.field == QLatin1String("PriorityIcon");
    // Texts and memos make no graph; short values do.
    d.graph = issueField && c.width < 200;
    d.icon = !issueField || d.field == QLatin1String("BUG:Category");
    if (d.kind() != listext::ColumnKind::Text)
        d.justification = QLatin1Char('R');
    return d;
}

} // namespace

const listext::ColumnDefinitions &issueListColumns()
{
    static const listext::ColumnDefinitions columns = [] {
        listext::ColumnDefinitions out;
        for (const Column &c : Columns)
            out.push_back(definition(c));
        return out;
    }();
    return columns;
}

listext::ColumnDefinitions issueListColumns(const QStringList &fields)
{
    listext::ColumnDefinitions out;
    for (const QString &f : fields)
        for (const listext::ColumnDefinition &d : issueListColumns())
            if (d.field.compare(f, Qt::CaseInsensitive) == 0) {
                out.push_back(d);
                out.back().shown = true;
            }
    return out;
}

} // namespace tarvo::issues
