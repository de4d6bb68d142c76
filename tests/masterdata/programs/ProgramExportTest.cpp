#include "masterdata/programs/ProgramExport.h"

#include "core/dictionary/TarvoStoreTest.h"
#include "platform/data/FileManager.h"
#include "platform/query/CsvReader.h"

#include <QBuffer>

namespace tarvo::masterdata {

namespace {

// Program 1 "Tarvo", bought twice by "Cove" and once by "Annfield", and a note of the program.
class ProgramExportTest : public tarvo::test::TarvoStoreTest {
  protected:
    void SetUp() override
    {
        TarvoStoreTest::SetUp();
        m_program = add(QStringLiteral("Programs"), {{QStringLiteral("PrgName"), QStringLiteral("Tarvo")},
                                                     {QStringLiteral("Status"), QStringLiteral("Beta")}});
        for (const auto &[id, name] : {std::pair{1, "Annfield"}, {2, "Cove"}})
            add(QStringLiteral("Customer"),
                {{QStringLiteral("ID"), id}, {QStringLiteral("Lastname"), QString::fromLatin1(name)}});
        for (const auto &[id, date, licences] : {std::tuple{2, 80000, 5}, {2, 81000, 1}, {1, 80000, 3}})
            add(QStringLiteral("CustomerPrograms"), {{QStringLiteral("ID"), id},
                                                     {QStringLiteral("PrgID"), 1},
                                                     {QStringLiteral("PurchasedDate"), date},
                                                     {QStringLiteral("PurchasedLicenses"), licences}});
        m_note = add(QStringLiteral("Notes"),
                     {{QStringLiteral("PrgID"), 1}, {QStringLiteral("Note"), QStringLiteral("Call back")}});
    }

    data::Record m_program;
    data::Record m_note;
};

} // namespace

// The fields are offered with the pictures, notes and choices of their own entry, the memos'
// entries standing first.
TEST_P(ProgramExportTest, EachFieldTakesItsOwnPictureNoteAndChoices)
{
    auto exporter = ProgramExport::create(session());
    ASSERT_TRUE(exporter.ok()) << exporter.error().message.toStdString();
    const std::vector<query::RegisteredFile> &files = exporter->files();
    ASSERT_EQ(files.size(), 5u);
    QStringList labels;
    for (const query::RegisteredFile &file : files)
        labels << file.layout().label();
    EXPECT_EQ(labels, QStringList({"Attachments", "Customer", "CustomerPrograms", "Notes", "Programs"}));
    EXPECT_EQ(files[4].field(QStringLiteral("PRG:Status"))->choices,
              QStringList({"Alpha", "Beta", "Inactive"}));
    EXPECT_EQ(files[4].field(QStringLiteral("PRG:Description"))->picture, QStringLiteral("@s255"));
    EXPECT_EQ(files[2].field(QStringLiteral("CUP:PRGNAME"))->note,
              QStringLiteral("DO NOT USE!!! THIS FIELD WILL BE DELETED!!!"));
    EXPECT_EQ(files[2].field(QStringLiteral("CUP:ContractPeriod"))->choices.size(), 4);
    EXPECT_EQ(files[3].field(QStringLiteral("NOTE:ID"))->picture, QStringLiteral("@n_7"));
    EXPECT_EQ(files[3].field(QStringLiteral("NOTE:CreatedTime"))->picture, QStringLiteral("@T08B"));
    EXPECT_EQ(files[0].field(QStringLiteral("ATT:Preview"))->picture, QStringLiteral("@n3"));
}

// One line per purchase in the order given; a buyer gone is skipped, a purchase gone since it was
// tagged is written blank beside its buyer.
TEST_P(ProgramExportTest, WritesALinePerTaggedPurchase)
{
    auto exporter = ProgramExport::create(session());
    ASSERT_TRUE(exporter.ok());
    const data::Record attachment = fm(QStringLiteral("Attachments")).newRecord();
    const std::vector<listext::TagQueue::Tag> tags = {
        {2, 1, 81000}, {9, 1, 80000}, {1, 1, 80000}, {2, 1, 79999}};
    QBuffer out;
    out.open(QIODevice::WriteOnly);
    auto written = exporter->write(m_program, m_note, attachment, tags, out);
    ASSERT_TRUE(written.ok()) << written.error().message.toStdString();
    EXPECT_EQ(*written, 3);

    auto rows = query::CsvReader::parse(QString::fromUtf8(out.data()));
    ASSERT_TRUE(rows.ok());
    ASSERT_EQ(rows->size(), 4u);
    const QStringList header = rows->front().fields;
    auto column = [&](const char *field) {
        QStringList values;
        for (size_t i = 1; i < rows->size(); ++i)
            values << rows->at(i).fields.value(header.indexOf(QString::fromLatin1(field)));
        return values;
    };
    EXPECT_EQ(column("CUS:Lastname"), QStringList({"Cove", "Annfield", "Cove"}));
    EXPECT_EQ(column("CUP:PurchasedLicenses"), QStringList({"1", "3", "0"}));
    EXPECT_EQ(column("CUP:ID"), QStringList({"2", "1", "0"}));
    EXPECT_EQ(column("CUP:PurchasedDate").last(), QString());
    EXPECT_EQ(column("NOTE:Note"), QStringList(3, QStringLiteral("Call back")));
    EXPECT_EQ(column("PRG:Status"), QStringList(3, QStringLiteral("Beta")));
    EXPECT_EQ(column("ATT:Description"), QStringList(3, QString()));
}

TARVO_REAL_STORE_SUITE(ProgramExportTest);

} // namespace tarvo::masterdata
