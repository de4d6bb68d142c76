#include "platform/query/CsvImport.h"

#include "QueryFileSupport.h"
#include "platform/data/View.h"
#include "platform/query/CsvExport.h"
#include "platform/query/CsvReader.h"

#include <QBuffer>

namespace tarvo::test {

namespace {

class CsvImportTest : public TaskStoreTest {
  protected:
    data::FileManager &tasks() { return fm(QStringLiteral("Task")); }
    std::vector<data::Record> all()
    {
        data::View view(tasks(), QStringLiteral("TSK:KeyID"));
        auto rows = view.rowsAfter(nullptr, 1000);
        EXPECT_TRUE(rows.ok());
        return rows ? *rows : std::vector<data::Record>{};
    }
    QString exportAll(const query::RegisteredFile &file)
    {
        QBuffer buffer;
        buffer.open(QIODevice::WriteOnly);
        query::CsvExport out(file);
        EXPECT_TRUE(out.begin(buffer).ok());
        for (const data::Record &r : all())
            EXPECT_TRUE(out.write(r).ok());
        EXPECT_TRUE(out.end().ok());
        return QString::fromUtf8(buffer.data());
    }
};

} // namespace

TEST_P(CsvImportTest, ExportedRecordsImportBackUnchanged)
{
    addTask(1, QStringLiteral("Plain"), 80000, 1, QString());
    addTask(2, QStringLiteral("Comma, \"quoted\""), 0, 5, QStringLiteral("two\r\nlines; Grüße"));
    addTask(3, QStringLiteral("Ümlaut"), 81234, 3, QStringLiteral("x"));
    const std::vector<data::Record> before = all();
    const query::RegisteredFile file = registered();
    const QString csv = exportAll(file);
    EXPECT_TRUE(
        csv.startsWith(QStringLiteral("TSK:ID,TSK:Title,TSK:Due,TSK:Priority,TSK:Done,TSK:Notes\r\n")));

    for (data::Record r : before)
        ASSERT_TRUE(tasks().remove(r).ok());
    query::CsvImport import(tasks(), file);
    auto report = import.run(csv);
    ASSERT_TRUE(report.ok()) << report.error().message.toStdString();
    EXPECT_EQ(report->imported, 3);
    EXPECT_TRUE(report->refused.empty()) << report->text().toStdString();

    const std::vector<data::Record> after = all();
    ASSERT_EQ(after.size(), before.size());
    for (size_t i = 0; i < after.size(); ++i)
        EXPECT_TRUE(after[i].sameValues(before[i])) << i;
}

// Files registered together: each line holds one record of each, the fields of each file after
// those of the file before, and reads back into each file's own fields.
TEST_P(CsvImportTest, SeveralFilesWriteOneLinePerSetOfRecords)
{
    addTask(1, QStringLiteral("First"), 80000, 1, QStringLiteral("memo"));
    addTask(2, QStringLiteral("Second, \"quoted\""), 0, 5, QString());
    const std::vector<data::Record> tasks = all();
    query::RegisteredFile whole = registered();
    query::RegisteredFile titles = registered();
    for (const char *name : {"TSK:Due", "TSK:Priority", "TSK:Done", "TSK:Notes"})
        titles.removeField(QString::fromLatin1(name));
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    query::CsvExport out(std::vector<const query::RegisteredFile *>{&whole, &titles});
    ASSERT_TRUE(out.begin(buffer).ok());
    EXPECT_FALSE(out.write(tasks[0]).ok()) << "one record for two files";
    ASSERT_TRUE(out.write({&tasks[0], &tasks[1]}).ok());
    ASSERT_TRUE(out.end().ok());
    EXPECT_EQ(out.written(), 1);

    auto rows = query::CsvReader::parse(QString::fromUtf8(buffer.data()));
    ASSERT_TRUE(rows.ok());
    ASSERT_EQ(rows->size(), 2u);
    EXPECT_EQ(rows->at(0).fields.join(u','),
              QStringLiteral("TSK:ID,TSK:Title,TSK:Due,TSK:Priority,TSK:Done,TSK:Notes,TSK:ID,TSK:Title"));
    const QStringList &line = rows->at(1).fields;
    ASSERT_EQ(line.size(), 8);
    EXPECT_EQ(line.mid(6), QStringList({QStringLiteral("2"), QStringLiteral("Second, \"quoted\"")}));
    for (const query::QueryField &f : whole.fields()) {
        auto read = whole.read(f, line.at(qsizetype(&f - whole.fields().data())));
        ASSERT_TRUE(read.ok()) << f.name.toStdString();
        EXPECT_EQ(read->toString(), tasks[0].value(f.index).toString()) << f.name.toStdString();
    }
}

TEST_P(CsvImportTest, RefusedLinesAreReportedAndTheOthersImported)
{
    addTask(7, QStringLiteral("Existing"), 0, 1, QString());
    const QString csv = QStringLiteral("ID,Title,Priority\r\n"
                                       "0,Numbered,2\r\n"
                                       "7,Duplicate,2\r\n"
                                       "0,\"Bad\nnumber\",high\r\n"
                                       "0,Out of range,9\r\n"
                                       "0,Too,many,values\r\n"
                                       "20,Own number,4\r\n"
                                       "0,A title far longer than the forty characters it may have,1\r\n");
    query::RegisteredFile file = registered();
    query::CsvImport import(tasks(), file);
    auto report = import.run(csv);
    ASSERT_TRUE(report.ok()) << report.error().message.toStdString();
    EXPECT_EQ(report->imported, 2);
    std::vector<int> lines;
    for (const auto &r : report->refused)
        lines.push_back(r.line);
    EXPECT_EQ(lines, (std::vector<int>{3, 4, 6, 7, 9}));
    const QString text = report->text();
    EXPECT_TRUE(text.startsWith(QStringLiteral("2 records imported, 5 refused:"))) << text.toStdString();
    EXPECT_TRUE(text.contains(QStringLiteral("Line 9: TSK:Title holds at most 40 characters")))
        << text.toStdString();
    EXPECT_TRUE(text.contains(QStringLiteral("Line 4: \"high\" is not a valid value of TSK:Priority")))
        << text.toStdString();
    EXPECT_TRUE(text.contains(QStringLiteral("Line 7: 4 values where the header names 3")))
        << text.toStdString();
    EXPECT_TRUE(m_reporter.errors.empty()) << "a refused line showed a message";

    std::vector<QString> titles;
    for (const data::Record &r : all())
        titles.push_back(r.text(QStringLiteral("Title")));
    EXPECT_EQ(titles, (std::vector<QString>{QStringLiteral("Existing"), QStringLiteral("Numbered"),
                                            QStringLiteral("Own number")}));
}

TEST_P(CsvImportTest, AHeaderItCannotUseImportsNothing)
{
    query::RegisteredFile file = registered();
    file.removeField(QStringLiteral("TSK:Done"));
    query::CsvImport import(tasks(), file);
    for (const QString &csv :
         {QStringLiteral("Title,Colour\r\nx,red\r\n"), QStringLiteral("Title,Done\r\nx,1\r\n"),
          QStringLiteral("Title,TSK:TITLE\r\nx,y\r\n"), QStringLiteral("Title\r\n\"open\r\n")}) {
        auto report = import.run(csv);
        EXPECT_FALSE(report.ok()) << csv.toStdString();
    }
    EXPECT_TRUE(all().empty());
}

TARVO_STORE_TEST_SUITE(CsvImportTest);

} // namespace tarvo::test
