#include "core/helpers/AddHistory.h"

#include "core/services/AccessServices.h"
#include "core/services/Services.h"
#include "core/startup/SettingsValues.h"
#include "platform/data/Dictionary.h"
#include "platform/data/ErrorCode.h"
#include "platform/data/FileManager.h"
#include "platform/data/Session.h"
#include "platform/runtime/DayDate.h"
#include "platform/runtime/Messages.h"
#include "platform/runtime/Text.h"

namespace tarvo::core {

namespace {
constexpr int kPictureWidth = 35;
constexpr int kContentsWidth = 16384;
} // namespace

qint64 AddHistory(data::Session &session, const data::Record &settings, const QString &label,
                  const QString &picture, const QString &oldContents, const QString &newContents)
{
    if (SettingsValues(settings).historyDisabled())
        return 0;
    data::FileManager *bugs = session.file(QStringLiteral("Bugs"));
    // The stop message is the report of a failed write; the manager is not to report it again.
    auto quiet = session.dictionary().createSession(session.context(), nullptr);
    data::FileManager *history = quiet->file(QStringLiteral("History"));
    if (!bugs || !history)
        return 0;
    data::Record entry = history->newRecord();
    entry.setValue(QStringLiteral("ID"), bugs->buffer().value(QStringLiteral("ID")));
    entry.setValue(QStringLiteral("FIELD"), Text::clip(label));
    entry.setValue(QStringLiteral("FORMAT"), Text::cutTo(Text::clip(picture), kPictureWidth));
    entry.setValue(QStringLiteral("DATE"), DayDate::today());
    entry.setValue(QStringLiteral("TIME"), DayDate::clock());
    const AccessServices *access = Services::access();
    entry.setValue(QStringLiteral("INITIALS"), access ? access->initials() : QString());
    entry.setValue(QStringLiteral("Contents_Old"), Text::cutTo(Text::clip(oldContents), kContentsWidth));
    entry.setValue(QStringLiteral("Contents_New"), Text::cutTo(Text::clip(newContents), kContentsWidth));
    if (auto added = history->insert(entry); !added) {
        const Error &e = added.error();
        Messages::stop(e.message.isEmpty() ? data::errorCodeText(e.code) : e.message);
        return 0;
    }
    return entry.rowId();
}

} // namespace tarvo::core
