#pragma once

#include "listext/ColumnDefinition.h"
#include "listext/TableRows.h"

namespace tarvo::bench {

// The issue list's most used columns, as the benchmark exports them and the try-out window shows them:
// numbers, texts, the description and a formatted date.
inline listext::ColumnDefinitions issueListColumns()
{
    struct Spec {
        const char *field, *header, *picture;
        int width;
        bool graph;
    };
    static const Spec specs[] = {
        {"BUG:ID", "ID", "@n_7", 60, true},
        {"BUG:Status", "Status", "@s35", 80, true},
        {"BUG:Priority", "Priority", "@s35", 60, true},
        {"BUG:Severity", "Severity", "@s35", 70, true},
        {"BUG:Classification", "Classification", "@s35", 110, true},
        {"BUG:Version", "Version", "@s35", 50, true},
        {"BUG:Description", "Description", "@s255", 330, false},
        {"BUG:Responsible", "Resp.", "@s3", 40, true},
        {"BUG:ReportedDate", "Reported", "@D10", 85, true},
    };
    listext::ColumnDefinitions columns;
    for (const Spec &s : specs) {
        listext::ColumnDefinition c;
        c.field = QLatin1String(s.field);
        c.header = c.description = QLatin1String(s.header);
        c.picture = QLatin1String(s.picture);
        c.width = s.width;
        c.graph = s.graph;
        c.sortable = true;
        columns.push_back(c);
    }
    columns.front().justification = QLatin1Char('R');
    return columns;
}

inline std::vector<listext::TableColumn> issueListTableColumns()
{
    std::vector<listext::TableColumn> out;
    for (const auto &c : issueListColumns())
        out.push_back({c.field, c.header, c.picture});
    return out;
}

} // namespace tarvo::bench
