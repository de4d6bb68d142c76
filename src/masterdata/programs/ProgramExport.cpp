#include "masterdata/programs/ProgramExport.h"

#include "masterdata/customers/CustomerTasks.h"
#include "platform/data/ErrorCode.h"
#include "platform/data/FileManager.h"
#include "platform/data/Session.h"
#include "platform/query/CsvExport.h"

#include <QStringList>

namespace tarvo::masterdata {

namespace {

// The files in the order of the export's fields.
enum File { Attachments, Customer, Purchases, Notes, Programs };

// One field's entry of the field information: picture, note and choices.
struct Entry {
    const char *picture;
    const char *note = "";
    const char *choices = "";
};

QString information(std::initializer_list<Entry> entries)
{
    QString text;
    for (const Entry &e : entries)
        text += QString::fromLatin1(e.picture) + QChar(query::RegisteredFile::PartSeparator) +
                QString::fromLatin1(e.note) + QChar(query::RegisteredFile::PartSeparator) +
                QString::fromLatin1(e.choices) + QChar(query::RegisteredFile::EntryEnd);
    return text;
}

// Memos first, then the record's fields in layout order.
QString informationOf(const QString &label)
{
    if (label == QLatin1String("Attachments"))
        return information({{"@s255"},
                            {"@n-14"},
                            {"@n-14"},
                            {"@n-14"},
                            {"@s250"},
                            {"@D017B"},
                            {"@s255"},
                            {"@n3"},
                            {"@D017B"},
                            {"@s3"},
                            {"@D017B"},
                            {"@s3"}});
    if (label == QLatin1String("CustomerPrograms"))
        return information({{"@s255"},
                            {"@n-14"},
                            {"@s250", "DO NOT USE!!! THIS FIELD WILL BE DELETED!!!"},
                            {"@n-14"},
                            {"@D017B"},
                            {"@N3"},
                            {"@n12`2"},
                            {"@s3"},
                            {"@s35"},
                            {"@s50"},
                            {"@D017B"},
                            {"@D017B"},
                            {"@n12`2"},
                            {"@s3"},
                            {"@s35", "", "monthly|quarterly|half-yearly|yearly"}});
    if (label == QLatin1String("Notes"))
        return information({{"@s255"},
                            {"@n_7"},
                            {"@n-14"},
                            {"@s35"},
                            {"@D017B"},
                            {"@T08B"},
                            {"@s3"},
                            {"@D017B"},
                            {"@T08B"},
                            {"@s3"}});
    return information({{"@s255"},
                        {"@n-14"},
                        {"@n-14"},
                        {"@n-14"},
                        {"@s250"},
                        {"@s250"},
                        {"@s35", "", "Alpha|Beta|Inactive"}});
}

} // namespace

Result<ProgramExport> ProgramExport::create(data::Session &session)
{
    ProgramExport exporter(session);
    for (const char *label : {"Attachments", "Customer", "CustomerPrograms", "Notes", "Programs"}) {
        data::FileManager *file = session.file(QString::fromLatin1(label));
        if (!file)
            return makeError(2,
                             QStringLiteral("The file %1 is not declared").arg(QString::fromLatin1(label)));
        if (auto opened = file->open(); !opened)
            return opened.error();
        if (exporter.m_files.size() == Customer) {
            // The buyer is exported as the customer browse exports it.
            exporter.m_files.push_back(CustomerTasks(session).customers());
            continue;
        }
        auto registered = query::RegisteredFile::withFieldInformation(file->layoutPtr(),
                                                                      informationOf(file->layout().label()));
        if (!registered)
            return registered.error();
        exporter.m_files.push_back(std::move(registered).value());
    }
    return exporter;
}

Result<int> ProgramExport::write(const data::Record &program, const data::Record &note,
                                 const data::Record &attachment,
                                 const std::vector<listext::TagQueue::Tag> &purchases, QIODevice &out) const
{
    std::vector<const query::RegisteredFile *> files;
    for (const query::RegisteredFile &file : m_files)
        files.push_back(&file);
    query::CsvExport csv(std::move(files));
    if (auto begun = csv.begin(out); !begun)
        return begun.error();
    data::FileManager &customers = *m_session->file(QStringLiteral("Customer"));
    data::FileManager &bought = *m_session->file(QStringLiteral("CustomerPrograms"));
    for (const listext::TagQueue::Tag &tag : purchases) {
        data::Record customer = customers.newRecord();
        customer.setValue(QStringLiteral("CUS:ID"), tag.id);
        if (auto found = customers.fetch(QStringLiteral("CUS:KeyID"), customer); !found) {
            if (found.error().code == data::ErrorCode::RecordNotFound)
                continue;
            return found.error();
        }
        data::Record purchase = bought.newRecord();
        purchase.setValue(QStringLiteral("CUP:ID"), tag.id);
        purchase.setValue(QStringLiteral("CUP:PrgID"), tag.second);
        purchase.setValue(QStringLiteral("CUP:PurchasedDate"), tag.third);
        if (auto found = bought.fetch(QStringLiteral("CUP:KeyIDPrgIDPurchasedDate"), purchase); !found) {
            if (found.error().code != data::ErrorCode::RecordNotFound)
                return found.error();
            purchase = bought.newRecord();
        }
        if (auto written = csv.write({&attachment, &customer, &purchase, &note, &program}); !written)
            return written.error();
    }
    if (auto ended = csv.end(); !ended)
        return ended.error();
    return csv.written();
}

} // namespace tarvo::masterdata
