#pragma once

#include "platform/runtime/Result.h"

#include <QString>
#include <QStringList>

namespace tarvo::core {

// SecP: which programs the user may see, from the access library's program limits.
class ProgramLimits final {
  public:
    // A SecP that names no program. An empty SecP means "no limits, every program", so a user
    // whose limits could not be read gets this instead and sees no program.
    static QString nothing() { return QStringLiteral("|"); }

    // The program-limit names of one user ("name°ID"), in key order, from the access store of the
    // data folder ("Vuvuzu.db" or its schema on the server). The user is looked up by the whole
    // stored code, never by its first three characters.
    static Result<QStringList> read(const QString &dataFolder, const QString &userCode);

    // "|id|id|" from the names: each ID is the text after the first "°"; empty for no names.
    static QString build(const QStringList &programNames);

    // What the frame keeps and tells the user: SecP, and the message to show when the limits
    // could not be read (empty otherwise).
    struct Outcome {
        QString secP;
        QString failure;
    };
    static Outcome outcome(const Result<QStringList> &names);
};

} // namespace tarvo::core
