#pragma once

#include "issues/IssueListColumns.h"
#include "listext/TableRows.h"

namespace tarvo::bench {

// The issue list's most used columns, as the benchmark exports them and the try-out window shows
// them: numbers, texts, the description and a date. The issue number and the date keep the
// pictures that the raw side writes by hand ("@n_7", "@D10").
inline listext::ColumnDefinitions issueListColumns()
{
    listext::ColumnDefinitions columns = issues::issueListColumns(
        {QStringLiteral("BUG:ID"), QStringLiteral("BUG:Status"), QStringLiteral("BUG:Priority"),
         QStringLiteral("BUG:Severity"), QStringLiteral("BUG:Classification"), QStringLiteral("BUG:Version"),
         QStringLiteral("BUG:Description"), QStringLiteral("BUG:Responsible"),
         QStringLiteral("BUG:ReportedDate")});
    for (listext::ColumnDefinition &c : columns) {
        if (c.field == QLatin1String("BUG:ID"))
            c.picture = QStringLiteral("@n_7");
        else if (c.field == QLatin1String("BUG:ReportedDate"))
            c.picture = QStringLiteral("@D10");
        c.sortable = true;
    }
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
