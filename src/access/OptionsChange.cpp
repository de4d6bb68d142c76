#include "access/OptionsChange.h"

#include "access/AccessSession.h"
#include "access/DayClock.h"
#include "access/PasswordChanger.h"
#include "access/PasswordHash.h"
#include "platform/runtime/Text.h"

namespace tarvo::access {

Result<OptionsRecord> OptionsChange::save(AccessRepository &repository,
                                          const std::optional<OptionsRecord> &before, OptionsRecord edited,
                                          const QString &newMasterPassword)
{
    edited.id = 1;
    edited.masterMak = Text::clip(edited.masterMak);
    const QString password = clippedPassword(newMasterPassword);
    if (!password.isEmpty()) {
        auto hash = PasswordHash::hash(password);
        if (!hash)
            return hash.error();
        edited.masterPassword = *hash;
    }
    if (before && (!password.isEmpty() || edited.masterMak != Text::clip(before->masterMak))) {
        edited.masterChangeDate = DayClock::today();
        edited.masterChangeTime = DayClock::now();
        edited.masterChangeMak = AccessSession::state().mak;
    }
    if (auto saved = repository.saveOptions(edited); !saved)
        return saved.error();
    AccessSession::change([&](SessionState &s) { s.options = edited; });
    return edited;
}

} // namespace tarvo::access
