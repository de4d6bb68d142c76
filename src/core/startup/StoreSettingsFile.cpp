#include "core/startup/StoreSettingsFile.h"

#include "core/dictionary/TarvoDictionary.h"
#include "core/startup/SettingsRecord.h"
#include "platform/data/Connection.h"
#include "platform/data/Dictionary.h"
#include "platform/data/ErrorCode.h"
#include "platform/data/FileManager.h"
#include "platform/data/Session.h"
#include "platform/data/TableSchema.h"
#include "platform/data/View.h"

#include <QFileInfo>

namespace tarvo::core {

namespace {

const QString kLabel = QStringLiteral("Parameter");

Result<std::optional<data::Record>> firstRecord(data::FileManager &file)
{
    data::View view(file, std::vector<data::KeyComponent>{});
    return view.first();
}

// Code 2 when the settings table does not exist; nothing is made.
Result<void> checkExists(data::FileManager &file)
{
    auto connection = file.connection();
    if (!connection)
        return connection.error();
    return data::TableSchema(**connection, file.layout()).check();
}

} // namespace

StoreSettingsFile::StoreSettingsFile(const data::Dictionary &dictionary, int contextNumber)
    : m_session(dictionary.createSession(contextNumber, nullptr)), m_file(m_session->file(kLabel))
{
}

StoreSettingsFile::~StoreSettingsFile() = default;

Result<void> StoreSettingsFile::open()
{
    if (auto exists = checkExists(*m_file); !exists)
        return exists;
    return m_file->open();
}

Result<void> StoreSettingsFile::create()
{
    auto connection = m_file->connection();
    if (!connection)
        return connection.error();
    return data::TableSchema(**connection, m_file->layout()).create();
}

Result<bool> StoreSettingsFile::readFirst()
{
    auto first = firstRecord(*m_file);
    if (!first)
        return first.error();
    if (!first->has_value())
        return false;
    SettingsRecord::instance().set(**first);
    return true;
}

Result<void> StoreSettingsFile::addDefaults()
{
    data::Record record = m_file->newRecord();
    for (const auto &[field, value] : parameterDefaults())
        record.setValue(field, value);
    if (auto added = m_file->insert(record); !added)
        return added;
    SettingsRecord::instance().set(record);
    return {};
}

Result<void> StoreSettingsFile::close()
{
    m_file->close();
    return {};
}

QString StoreSettingsFile::name() const
{
    return m_file->storedName();
}

QString StoreSettingsFile::text(const QString &field) const
{
    return SettingsRecord::instance().text(field);
}

Result<void> StoreSettingsFile::switchToGerman(const QString &dataFolder)
{
    const QString notSwitched = QStringLiteral("The settings were not switched to German.|");
    const QString laterStart = QStringLiteral("|Start Tarvo once on this folder to make them, then run this "
                                              "command again.");
    // Opening the store would make an empty one in a folder that has none.
    if (!QFileInfo::exists(dataFolder + QStringLiteral("/Tarvo.db")) &&
        !QFileInfo::exists(dataFolder + QStringLiteral("/Database.ini")))
        return makeError(data::ErrorCode::FileNotFound,
                         notSwitched + QStringLiteral("\"%1\" holds no data files yet.").arg(dataFolder) +
                             laterStart);
    auto dictionary = data::Dictionary::open(tarvoDictionary(), dataFolder);
    if (!dictionary)
        return makeError(dictionary.error().code,
                         notSwitched + QStringLiteral("Error: ") + dictionary.error().message);
    StoreSettingsFile settings(**dictionary, 1);
    if (auto opened = settings.open(); !opened)
        return makeError(opened.error().code,
                         notSwitched + QStringLiteral("Error: ") + opened.error().message);
    Result<void> outcome;
    auto first = firstRecord(*settings.m_file);
    if (!first) {
        outcome =
            makeError(first.error().code, notSwitched + QStringLiteral("Error: ") + first.error().message);
    } else if (!first->has_value()) {
        outcome = makeError(
            data::ErrorCode::FileNotFound,
            notSwitched + QStringLiteral("The data files in \"%1\" hold no settings yet.").arg(dataFolder) +
                laterStart);
    } else {
        data::Record record = **first;
        record.setValue(QStringLiteral("LOCATION"), QStringLiteral("Germany"));
        record.setValue(QStringLiteral("Language"), QStringLiteral("Deutsch"));
        record.setValue(QStringLiteral("Currency"), QStringLiteral("EUR"));
        record.setValue(QStringLiteral("OVERRIDEINSERT"), 0);
        record.setValue(QStringLiteral("INSERTTEXT"), QString());
        if (auto written = settings.m_file->update(record); !written)
            outcome = makeError(written.error().code,
                                notSwitched + QStringLiteral("Error: ") + written.error().message);
    }
    (void)settings.close(); // nothing was written that a failed close could lose
    return outcome;
}

} // namespace tarvo::core
