#pragma once

#include "core/lists/ReleaseQueue.h"
#include "core/lists/UserQueue.h"
#include "core/startup/SettingsValues.h"
#include "platform/data/Record.h"
#include "platform/runtime/Result.h"

#include <QString>
#include <QStringList>

#include <optional>
#include <vector>

namespace tarvo::data {
class Session;
}

namespace tarvo::issues {

// The choices of the issue form's lookup fields and what accepting a value in them means.
class IssueLookups final {
  public:
    // Severities ("Severity") or classifications ("Classification") of the program in key order,
    // then, when general rows (program 0) exist, one empty row and those.
    static Result<QStringList> programTexts(data::Session &session, const QString &label, qint32 programId);
    // Every text of a one-text list (BugDesc, Reproducible, Resolution) in key order; an empty list
    // when the file cannot be read.
    static QStringList texts(data::Session &session, const QString &label);

    // A person field (responsible, fixed by, verified by) accepted: the name of its initials
    // (empty for an empty field); nothing for initials no user has, whose field is then emptied.
    static std::optional<QString> acceptPerson(data::Record &issue, const QString &field,
                                               const std::vector<core::UserQueueEntry> &users);
    // Whether a release typed into a release field is to be added for the issue's program.
    static bool offersNewRelease(const QString &typed, const core::ReleaseQueue &releases,
                                 const core::SettingsValues &settings, bool mayAddReleases);
    // The network type is edited only on a network.
    static bool networkTypeEnabled(const data::Record &issue);
};

} // namespace tarvo::issues
