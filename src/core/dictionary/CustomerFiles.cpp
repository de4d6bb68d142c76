#include "core/dictionary/DeclHelpers.h"
#include "core/dictionary/TarvoDictionary.h"

namespace tarvo::core {

using namespace decl;

data::FileDecl customerFile()
{
    auto f = file(QStringLiteral("Customer"), QStringLiteral("CUS"), QStringLiteral("Customer.TPS"), 6);
    f.fields = {
        longField("ID"),
        stringField("Searchname", 100),
        longField("LastContact"),
        stringField("Identifier", 35),
        stringField("Status", 35),
        stringField("Address", 35),
        stringField("Firstname", 100),
        stringField("Lastname", 100),
        stringField("Department", 100),
        stringField("Address1", 50),
        stringField("Address2", 50),
        stringField("City", 50),
        stringField("State", 2),
        stringField("Zip", 10),
        stringField("Province", 50),
        stringField("Country", 50),
        stringField("Phone", 35),
        stringField("Fax", 35),
        stringField("Mobile", 35),
        stringField("Pager", 35),
        stringField("EMail", 100),
        stringField("Web", 100),
        stringField("Source", 100),
        stringField("Hardware", 35),
        stringField("OperatingSystem", 35),
        stringField("OperatingSystemServicePack", 35),
        byteField("Network"),
        stringField("NetworkType", 35),
        longField("CreateDate"),
        stringField("CreatedBy", 3),
        longField("ChangedDate"),
        stringField("ChangedBy", 3),
        memoField("Notes", 4096),
        memoField("EnvironmentText", 4096),
        memoField("Direction", 4096),
    };
    // The customer browse's text search looks into every text field and memo.
    for (const data::FieldDecl &field : f.fields)
        if (field.type == data::FieldType::String || field.type == data::FieldType::Memo)
            f.textIndex << field.name;
    f.keys = {
        key("KeyID", {asc("ID")}, Unique | Primary | AutoNumber),
        key("KeySearchname", {asc("Searchname")}),
        key("KeyFirstnameLastname", {asc("Firstname"), asc("Lastname")}),
        key("KeyLastnameFirstname", {asc("Lastname"), asc("Firstname")}),
    };
    // Older layouts kept a person's name in Customer and Company and had no number.
    f.setIfNew = {{QStringLiteral("ID"), QStringLiteral("AUTONUMBER")}};
    f.alternateNames = {
        {QStringLiteral("Searchname"), QStringLiteral("CUS:Lastname")},
        {QStringLiteral("Firstname"), QStringLiteral("CUS:Customer")},
        {QStringLiteral("Lastname"), QStringLiteral("CUS:Company")},
    };
    return f;
}

data::FileDecl customerContactsFile()
{
    auto f =
        file(QStringLiteral("CustomerContacts"), QStringLiteral("CCO"), QStringLiteral("CustCont.TPS"), 2);
    f.fields = {
        longField("ID"),
        longField("CID"),
        stringField("Status", 35),
        byteField("KEYCONTACT"),
        stringField("Address", 35),
        stringField("Firstname", 100),
        stringField("Lastname", 100),
        stringField("Department", 100),
        stringField("Address1", 50),
        stringField("Address2", 50),
        stringField("City", 50),
        stringField("State", 2),
        stringField("Zip", 10),
        stringField("Province", 50),
        stringField("Country", 50),
        stringField("Phone", 35),
        stringField("Fax", 35),
        stringField("Mobile", 35),
        stringField("Pager", 35),
        stringField("EMail", 100),
        stringField("Web", 100),
        stringField("HARDWARE", 35),
        stringField("OPERATINGSYSTEM", 35),
        stringField("OPERATINGSYSTEMSERVICEPACK", 35),
        byteField("NETWORK"),
        stringField("NETWORKTYPE", 35),
        longField("CREATEDATE"),
        stringField("CREATEDBY", 3),
        longField("CHANGEDDATE"),
        stringField("CHANGEDBY", 3),
        memoField("Notes", 4096),
        memoField("EnvironmentText", 4096),
    };
    f.keys = {
        key("KeyID", {asc("ID")}),
        key("KeyCID", {asc("CID")}, Unique | Primary | AutoNumber),
    };
    // The stored names carry the customer prefix: contacts were once copies of customer records.
    f.setIfNew = {{QStringLiteral("ID"), QStringLiteral("AUTONUMBER")}};
    f.alternateNames = {
        {QStringLiteral("Firstname"), QStringLiteral("CUS:Customer")},
        {QStringLiteral("Lastname"), QStringLiteral("CUS:Company")},
    };
    return f;
}

data::FileDecl customerProgramsFile()
{
    auto f =
        file(QStringLiteral("CustomerPrograms"), QStringLiteral("CUP"), QStringLiteral("CustProg.TPS"), 6);
    // Prices are five-byte decimals: nine digits, two of them after the point.
    f.fields = {
        longField("ID"),
        stringField("PRGNAME", 250),
        longField("PrgID"),
        longField("PurchasedDate"),
        shortField("PurchasedLicenses"),
        decimalField("PurchasedPrice", 9, 2),
        stringField("PurchasedCurrency", 3),
        stringField("RegCode", 35),
        stringField("ContractType", 50),
        longField("ContractValidFrom"),
        longField("ContractValidTo"),
        decimalField("ContractPrice", 9, 2),
        stringField("ContractCurrency", 3),
        stringField("ContractPeriod", 35),
        memoField("Notes", 4096),
    };
    f.keys = {
        key("KeyIDPrgIDPurchasedDate", {asc("ID"), asc("PrgID"), asc("PurchasedDate")}, Unique | Primary),
        key("KeyPrgIDID", {asc("PrgID"), asc("ID")}),
    };
    f.setIfNew = {
        {QStringLiteral("PurchasedCurrency"), QStringLiteral("USD")},
        {QStringLiteral("ContractCurrency"), QStringLiteral("USD")},
    };
    return f;
}

} // namespace tarvo::core
