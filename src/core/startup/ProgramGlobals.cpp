#include "core/startup/ProgramGlobals.h"

#include "platform/runtime/DayDate.h"
#include "platform/runtime/ProgramInfo.h"
#include "platform/runtime/Text.h"

#include <mutex>

namespace tarvo::core {

namespace {

struct Values {
    QString ownerPassword;
    QString weekdayNames = DayDate::weekdayNames(DayDate::Language::English);
    int charsetCode = 0;
    bool filesRegistered = false;
};

// Written on the GUI thread during the start-up, read by worker threads (mail sender, exports)
// later: the lock keeps a late reader from seeing a half-assigned QString.
std::mutex g_lock;
Values g_values;

} // namespace

QString ProgramGlobals::ownerPassword()
{
    std::lock_guard lock(g_lock);
    return g_values.ownerPassword;
}

void ProgramGlobals::setOwnerPassword(const QString &password)
{
    std::lock_guard lock(g_lock);
    g_values.ownerPassword = Text::cutTo(password, 6);
}

QString ProgramGlobals::weekdayNames()
{
    std::lock_guard lock(g_lock);
    return g_values.weekdayNames;
}

void ProgramGlobals::setWeekdayNames(const QString &names)
{
    std::lock_guard lock(g_lock);
    g_values.weekdayNames = names;
}

int ProgramGlobals::charsetCode()
{
    std::lock_guard lock(g_lock);
    return g_values.charsetCode;
}

void ProgramGlobals::setCharsetCode(int code)
{
    std::lock_guard lock(g_lock);
    g_values.charsetCode = code;
}

bool ProgramGlobals::filesRegistered()
{
    std::lock_guard lock(g_lock);
    return g_values.filesRegistered;
}

void ProgramGlobals::setFilesRegistered(bool registered)
{
    std::lock_guard lock(g_lock);
    g_values.filesRegistered = registered;
}

QString ProgramGlobals::programVersion()
{
    return Text::padTo(ProgramInfo::version(), 10);
}

void ProgramGlobals::reset()
{
    std::lock_guard lock(g_lock);
    g_values = Values{};
}

} // namespace tarvo::core
