#include "core/conversions/RunDataUpgrades.h"

#include "core/conversions/Corrections.h"
#include "core/conversions/HotKeysFortschritt.h"
#include "platform/data/Dictionary.h"
#include "platform/data/ErrorCode.h"
#include "platform/data/ErrorReporter.h"
#include "platform/data/FileManager.h"
#include "platform/data/Session.h"
#include "platform/runtime/DayDate.h"
#include "platform/runtime/Messages.h"
#include "platform/runtime/ProgramInfo.h"

#include <vector>

namespace tarvo::core {

namespace {

constexpr int kMsgCreateFailed = 12;

// Keeps the errors of opening HotKeys, which decide whether the run stops or quietly ends;
// once the file is open, its errors go to the thread's error object as usual.
class HotKeysErrors final : public data::ErrorReporter {
  public:
    int report(const data::FileError &error) override
    {
        if (thread)
            return thread->report(error);
        openErrors.push_back(error);
        return Button::No;
    }
    data::Session *thread = nullptr;
    std::vector<data::FileError> openErrors;
};

// Adds the correction's HotKeys record when it has none, then runs it. The record goes first so
// that an interrupted correction is not repeated; a correction whose record cannot be added does
// not run, or it would run again on every conversion.
void applyOnce(data::Session &session, data::FileManager &hotKeys, const Correction &correction,
               ConversionDisplay *display)
{
    data::Record record = hotKeys.newRecord();
    record.setValue(QStringLiteral("ID"), correction.number);
    auto found = hotKeys.fetch(QStringLiteral("KEYID"), record);
    if (found || found.error().code != data::ErrorCode::RecordNotFound)
        return;
    record.clear();
    record.setValue(QStringLiteral("ID"), correction.number);
    record.setValue(QStringLiteral("DESC"), correction.description);
    record.setValue(QStringLiteral("DATE"),
                    DayDate::fromDate(QDate(correction.year, correction.month, correction.day)));
    record.setValue(QStringLiteral("FIXED"), 1);
    if (!hotKeys.insert(record))
        return;
    HotKeysFortschritt(session, correction.number, display);
}

} // namespace

void RunDataUpgrades(data::Session &session, ConversionDisplay *display)
{
    HotKeysErrors errors;
    auto hotSession = session.dictionary().createSession(session.context(), &errors);
    data::FileManager *hotKeys = hotSession->file(QStringLiteral("HotKeys"));
    if (!hotKeys)
        return;
    if (!hotKeys->open()) {
        for (const data::FileError &e : errors.openErrors)
            if (e.messageNumber == kMsgCreateFailed) {
                Messages::stop(e.errorText);
                break;
            }
        return;
    }
    errors.thread = &session;

    for (const Correction &correction : corrections()) {
        if (correction.number == kStatusSortCorrection) {
            if (ProgramInfo::version() == QLatin1String("4.1"))
                HotKeysFortschritt(session, correction.number, display);
            continue;
        }
        applyOnce(session, *hotKeys, correction, display);
    }
    hotKeys->close();
}

} // namespace tarvo::core
