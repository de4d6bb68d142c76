#include "DataTestSupport.h"

#include "platform/data/Connection.h"
#include "support/PostgresServer.h"

#include <QSqlQuery>

namespace tarvo::test {

using namespace tarvo::data;

FieldDecl field(const QString &name, FieldType type, int size, int places)
{
    FieldDecl f;
    f.name = name;
    f.type = type;
    f.size = size;
    f.places = places;
    return f;
}

KeyDecl key(const QString &name, std::vector<KeyComponent> components, bool unique, bool autoNumber,
            bool caseInsensitive)
{
    KeyDecl k;
    k.name = name;
    k.components = std::move(components);
    k.unique = unique;
    k.primary = unique && autoNumber;
    k.autoNumber = autoNumber;
    k.caseInsensitive = caseInsensitive;
    return k;
}

DictionaryDecl testDictionary()
{
    DictionaryDecl d;
    FileDecl customer;
    customer.label = QStringLiteral("Customer");
    customer.prefix = QStringLiteral("CUS");
    customer.version = 2;
    customer.fields = {field("ID", FieldType::Long), field("Name", FieldType::String, 20),
                       field("City", FieldType::String, 20)};
    customer.keys = {key("KeyID", {{"ID"}}, true, true), key("KeyName", {{"Name"}}, true, false, true)};
    d.files.push_back(customer);

    FileDecl alias = customer;
    alias.label = QStringLiteral("CustomerAlias");
    alias.prefix = QStringLiteral("CUS1");
    alias.aliasOf = QStringLiteral("Customer");
    d.files.push_back(alias);

    FileDecl contact;
    contact.label = QStringLiteral("Contact");
    contact.prefix = QStringLiteral("CCO");
    contact.fields = {field("ID", FieldType::Long), field("CID", FieldType::Long),
                      field("Name", FieldType::String, 10)};
    contact.keys = {key("KeyCID", {{"CID"}}, true, true), key("KeyID", {{"ID"}, {"Name"}})};
    d.files.push_back(contact);

    FileDecl note;
    note.label = QStringLiteral("Note");
    note.prefix = QStringLiteral("NOTE");
    note.fields = {field("CID", FieldType::Long), field("Text", FieldType::Memo, 100)};
    note.keys = {key("KeyCID", {{"CID"}})};
    d.files.push_back(note);

    FileDecl invoice;
    invoice.label = QStringLiteral("Invoice");
    invoice.prefix = QStringLiteral("INV");
    invoice.fields = {field("CustomerID", FieldType::Long), field("Amount", FieldType::Decimal, 9, 2)};
    invoice.keys = {key("KeyCustomerID", {{"CustomerID"}})};
    d.files.push_back(invoice);

    FileDecl issue;
    issue.label = QStringLiteral("Issue");
    issue.prefix = QStringLiteral("BUG");
    issue.fields = {field("ID", FieldType::Long),          field("PrgID", FieldType::Long),
                    field("Title", FieldType::String, 10), field("Status", FieldType::String, 35),
                    field("Gray", FieldType::Byte),        field("BugText", FieldType::Memo, 50),
                    field("Data", FieldType::Blob)};
    issue.keys = {key("KeyID", {{"ID", true}}, true, true), key("KeyPrgIDID", {{"PrgID"}, {"ID", true}}),
                  key("KeyTitleID", {{"Title"}, {"ID", true}}),
                  key("KeyGrayTitle", {{"Gray", true}, {"Title"}})};
    KeyDecl dynamic;
    dynamic.name = QStringLiteral("KeyDynamicIndex");
    dynamic.dynamic = true;
    issue.keys.push_back(dynamic);
    d.files.push_back(issue);

    FileDecl mass;
    mass.label = QStringLiteral("MassMail");
    mass.prefix = QStringLiteral("MEM");
    mass.fields = {field("ID", FieldType::Long), field("Subject", FieldType::String, 20)};
    mass.keys = {key("KeyID", {{"ID"}}, true, true)};
    d.files.push_back(mass);

    FileDecl mail;
    mail.label = QStringLiteral("Mail");
    mail.prefix = QStringLiteral("EMA");
    mail.fields = {field("ID", FieldType::Long), field("Type", FieldType::Long),
                   field("Subject", FieldType::String, 20)};
    mail.keys = {key("KeyIDType", {{"ID"}, {"Type"}})};
    d.files.push_back(mail);

    FileDecl print;
    print.label = QStringLiteral("Print");
    print.prefix = QStringLiteral("PRN");
    print.fields = {field("Name", FieldType::String, 20), field("JPEGQuality", FieldType::Byte),
                    field("Format", FieldType::String, 10)};
    print.keys = {key("KeyName", {{"Name"}}, true)};
    print.insertDefaults = {{"JPEGQuality", "100"}, {"Format", "HTML"}};
    print.rangeChecks = {{"JPEGQuality", 0, 100}};
    d.files.push_back(print);

    FileDecl job;
    job.label = QStringLiteral("Job");
    job.prefix = QStringLiteral("JOB");
    job.fields = {field("PrintName", FieldType::String, 20)};
    job.keys = {key("KeyPrintName", {{"PrintName"}})};
    d.files.push_back(job);

    auto rel = [](QString parent, QString child, std::vector<std::pair<QString, QString>> links,
                  RelationMode update, RelationMode remove,
                  std::vector<std::pair<QString, QString>> condition = {}) {
        RelationDecl r;
        r.parent = std::move(parent);
        r.child = std::move(child);
        r.links = std::move(links);
        r.update = update;
        r.remove = remove;
        r.childCondition = std::move(condition);
        return r;
    };
    d.relations = {
        rel("Customer", "Contact", {{"ID", "ID"}}, RelationMode::Cascade, RelationMode::Cascade),
        rel("Contact", "Note", {{"CID", "CID"}}, RelationMode::Cascade, RelationMode::Cascade),
        rel("Customer", "Invoice", {{"ID", "CustomerID"}}, RelationMode::None, RelationMode::Restrict),
        rel("Issue", "Mail", {{"ID", "ID"}}, RelationMode::None, RelationMode::Cascade, {{"Type", "0"}}),
        rel("MassMail", "Mail", {{"ID", "ID"}}, RelationMode::None, RelationMode::Cascade, {{"Type", "99"}}),
        rel("Print", "Job", {{"Name", "PrintName"}}, RelationMode::Restrict, RelationMode::Restrict),
    };
    return d;
}

std::string storeName(const ::testing::TestParamInfo<StoreKind> &info)
{
    return info.param == StoreKind::Sqlite ? "SQLite" : "PostgreSQL";
}

void StoreTest::SetUp()
{
    if (GetParam() == StoreKind::Postgres) {
        auto &pg = PostgresServer::instance();
        if (!pg.available())
            GTEST_SKIP() << pg.reason().toStdString();
        ASSERT_TRUE(pg.dropSchema(QStringLiteral("tarvo")));
        pg.writeDatabaseIni(m_dir.path());
    }
}

void StoreTest::TearDown()
{
    closeDictionary();
}

void StoreTest::openDictionary(const DictionaryDecl &decl)
{
    closeDictionary();
    auto d = Dictionary::open(decl, m_dir.path());
    ASSERT_TRUE(d.ok()) << d.error().message.toStdString();
    m_dict = std::move(d).value();
    m_session = m_dict->createSession(1, &m_reporter);
}

void StoreTest::closeDictionary()
{
    m_session.reset();
    m_dict.reset();
}

Record StoreTest::add(const QString &label, const std::vector<std::pair<QString, QVariant>> &values)
{
    FileManager &f = fm(label);
    Record r = f.newRecord();
    for (const auto &[name, value] : values)
        EXPECT_TRUE(r.setValue(name, value)) << name.toStdString();
    auto ok = f.insert(r);
    EXPECT_TRUE(ok.ok()) << label.toStdString() << ": " << (ok ? "" : ok.error().message.toStdString());
    return r;
}

void TwentyFiveIssuesTest::SetUp()
{
    StoreTest::SetUp();
    if (IsSkipped())
        return;
    openDictionary();
    for (int id = 1; id <= 25; ++id)
        add("Issue", {{"PrgID", id % 2 == 0 ? 1 : 2},
                      {"Status", id % 3 == 0 ? "closed" : "open"},
                      {"Gray", id % 2},
                      {"Title", QStringLiteral("T%1").arg(id % 4)},
                      {"BugText", QStringLiteral("text of %1").arg(id)},
                      {"Data", QByteArray("bytes")}});
}

std::vector<qint64> ids(const std::vector<Record> &rows)
{
    std::vector<qint64> out;
    for (const Record &r : rows)
        out.push_back(r.integer("ID"));
    return out;
}

QString StoreTest::storedName(const QString &table) const
{
    const QString store = GetParam() == StoreKind::Sqlite
                              ? m_dir.file(QStringLiteral("Tarvo.db"))
                              : QStringLiteral("schema tarvo of tarvo_test on 127.0.0.1:%1")
                                    .arg(PostgresServer::instance().port());
    return store + QStringLiteral(" (table ") + table + QLatin1Char(')');
}

qint64 StoreTest::count(const QString &label, const QString &where)
{
    auto conn = m_session->connection();
    if (!conn)
        return -1;
    QSqlQuery q((*conn)->database());
    q.exec(QStringLiteral("SELECT COUNT(*) FROM \"%1\"%2")
               .arg(m_dict->layout(label)->table(),
                    where.isEmpty() ? QString() : QStringLiteral(" WHERE ") + where));
    return q.next() ? q.value(0).toLongLong() : -1;
}

} // namespace tarvo::test
