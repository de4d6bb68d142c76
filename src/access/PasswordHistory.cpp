#include "access/PasswordHistory.h"

#include "access/DayClock.h"
#include "access/PasswordHash.h"

namespace tarvo::access {

Result<bool> PasswordHistory::usedBefore(AccessRepository &repository, const QString &code,
                                         const QString &password)
{
    auto history = repository.passwordHistory(code);
    if (!history)
        return history.error();
    for (const auto &entry : *history)
        if (PasswordHash::verify(entry.password, PasswordHash::historyForm(password)))
            return true;
    return false;
}

Result<void> PasswordHistory::record(AccessRepository &repository, const QString &code,
                                     const QString &password, int keep)
{
    if (keep <= 0)
        return {};
    auto hash = PasswordHash::hash(PasswordHash::historyForm(password));
    if (!hash)
        return hash.error();
    auto history = repository.passwordHistory(code);
    if (!history)
        return history.error();
    // Newest first: drop the oldest until there is room for the new one.
    for (auto n = history->size(); n >= size_t(keep); --n)
        if (auto removed = repository.removePasswordHistory((*history)[n - 1]); !removed)
            return removed.error();
    return repository.addPasswordHistory({code, *hash, DayClock::today()});
}

} // namespace tarvo::access
