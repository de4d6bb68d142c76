#include "masterdata/customers/CustomerColumns.h"

#include <initializer_list>

namespace tarvo::masterdata {

namespace {

struct Column {
    const char *field;
    const char *header;
    const char *picture;
    int width;
    bool shown;
};

listext::ColumnDefinitions table(std::initializer_list<Column> columns)
{
    listext::ColumnDefinitions out;
    for (const Column &c : columns) {
        listext::ColumnDefinition d = listext::ColumnDefinition::of(
            QLatin1String(c.field), QLatin1String(c.header), QLatin1String(c.picture), c.width);
        d.shown = c.shown;
        d.viewField = d.field.contains(QLatin1Char(':'));
        d.sortable = d.viewField;
        d.icon = !d.viewField;
        if (d.kind() != listext::ColumnKind::Text)
            d.justification = QLatin1Char('R');
        out.push_back(d);
    }
    return out;
}

} // namespace

const listext::ColumnDefinitions &CustomerColumns::customers()
{
    static const listext::ColumnDefinitions columns = table({
        {"TagField", "", "@s1", 16, true},
        {"CUS:Status", "Status", "@s35", 60, true},
        {"CUS:Searchname", "Searchname", "@s100", 120, true},
        {"CUS:Address", "Address", "@s35", 60, true},
        {"CUS:Lastname", "Lastname/Company", "@s100", 140, true},
        {"CUS:Firstname", "Firstname", "@s100", 100, true},
        {"CUS:Phone", "Phone", "@s35", 90, true},
        {"CUS:Fax", "Fax", "@s35", 90, true},
        {"CUS:EMail", "E-Mail", "@s100", 140, true},
        {"CUS:Web", "Web", "@s100", 120, true},
        {"CUS:ID", "", "@n_10", 50, true},
        {"CUS:Address1", "Address 1", "@s50", 120, false},
        {"CUS:Address2", "Address 2", "@s50", 120, false},
        {"CUS:City", "City", "@s50", 100, false},
        {"CUS:State", "State", "@s2", 30, false},
        {"CUS:Zip", "Zip", "@s10", 50, false},
        {"CUS:Province", "Province", "@s50", 80, false},
        {"CUS:Country", "Country", "@s50", 80, false},
        {"CUS:Mobile", "Mobile", "@s35", 90, false},
        {"CUS:Notes", "Notes", "@s255", 200, false},
        {"CUS:LastContact", "Last Contact", "@D017B", 80, false},
    });
    return columns;
}

const listext::ColumnDefinitions &CustomerColumns::contacts()
{
    static const listext::ColumnDefinitions columns = table({
        {"CCO:Address", "Address", "@s35", 60, true},
        {"CCO:Lastname", "Lastname", "@s100", 120, true},
        {"CCO:Firstname", "Firstname", "@s100", 100, true},
        {"CCO:Phone", "Phone", "@s35", 90, true},
        {"CCO:Fax", "Fax", "@s35", 90, true},
        {"CCO:EMail", "E-Mail", "@s100", 140, true},
        {"CCO:Web", "Web", "@s100", 120, true},
        {"CCO:Status", "Status", "@s35", 60, false},
        {"CCO:Department", "Department", "@s100", 100, false},
        {"CCO:Address1", "Address 1", "@s50", 120, false},
        {"CCO:Address2", "Address 2", "@s50", 120, false},
        {"CCO:City", "City", "@s50", 100, false},
        {"CCO:State", "State", "@s2", 30, false},
        {"CCO:Zip", "Zip", "@s10", 50, false},
        {"CCO:Province", "Province", "@s50", 80, false},
        {"CCO:Country", "Country", "@s50", 80, false},
        {"CCO:Mobile", "Mobile", "@s35", 90, false},
        {"CCO:Pager", "Pager", "@s35", 90, false},
        {"CCO:CID", "CID", "@n_10", 50, false},
        {"CCO:ID", "ID", "@n_10", 50, false},
    });
    return columns;
}

const listext::ColumnDefinitions &CustomerColumns::formContacts()
{
    static const listext::ColumnDefinitions columns = table({
        {"CCO:Address", "Address", "@s35", 60, true},
        {"CCO:Lastname", "Lastname", "@s100", 120, true},
        {"CCO:Firstname", "Firstname", "@s100", 100, true},
        {"CCO:Phone", "Phone", "@s35", 90, true},
        {"CCO:EMail", "EMail", "@s100", 140, true},
        {"CCO:Department", "Department", "@s100", 100, false},
        {"CCO:Address1", "Address 1", "@s50", 120, false},
        {"CCO:Address2", "Address 2", "@s50", 120, false},
        {"CCO:City", "City", "@s50", 100, false},
        {"CCO:State", "State", "@s2", 30, false},
        {"CCO:Zip", "Zip", "@s10", 50, false},
        {"CCO:Province", "Province", "@s50", 80, false},
        {"CCO:Country", "Country", "@s50", 80, false},
        {"CCO:Fax", "Fax", "@s35", 90, false},
        {"CCO:Mobile", "Mobile", "@s35", 90, false},
        {"CCO:Web", "Web", "@s100", 120, false},
        {"CCO:Notes", "Notes", "@s255", 200, false},
        {"CCO:CID", "CID", "@n_10", 50, false},
        {"CCO:ID", "ID", "@n_10", 50, false},
    });
    return columns;
}

const listext::ColumnDefinitions &CustomerColumns::purchases()
{
    static const listext::ColumnDefinitions columns = [] {
        listext::ColumnDefinitions out = table({
            {"ProgramName", "Program", "@s250", 160, true},
            {"CUP:PurchasedDate", "Date", "@D017B", 80, true},
            {"CUP:PurchasedLicenses", "Lic.", "@n6", 40, true},
            {"CUP:PurchasedPrice", "Price", "@n12.2", 70, true},
            {"CUP:PurchasedCurrency", "", "@s3", 35, true},
            {"CUP:ContractType", "Contract type", "@s50", 100, true},
            {"CUP:ContractValidFrom", "Valid from", "@D017B", 80, true},
            {"CUP:ContractValidTo", "Valid to", "@D017B", 80, true},
            {"CUP:Notes", "Notes", "@s255", 160, true},
            {"CUP:RegCode", "Reg Code", "@s35", 80, false},
            {"CUP:ContractPrice", "Contract Price", "@n12.2", 70, false},
            {"CUP:ContractCurrency", "Contract Currency", "@s3", 35, false},
            {"CUP:ContractPeriod", "Contract Period", "@s35", 80, false},
            {"CUP:ID", "ID", "@n_10", 50, false},
        });
        // The program's name is text, shown as it is.
        out.front().icon = false;
        return out;
    }();
    return columns;
}

const listext::ColumnDefinitions &CustomerColumns::reportedIssues()
{
    static const listext::ColumnDefinitions columns = table({
        {"BUG:ID", "ID", "@n_10", 50, true},
        {"BUG:Status", "Status", "@s35", 80, true},
        {"BUG:Description", "Description", "@s255", 300, true},
        {"BUG:ReportedDate", "Report Date", "@D017B", 80, true},
    });
    return columns;
}

} // namespace tarvo::masterdata
