#pragma once

#include "platform/runtime/Messages.h"

#include <QStringList>

namespace tarvo::access {

// The library's messages: title "Vuvuzussystem", each German piece translated on its own.
class AccessMessages final {
  public:
    // A refusal: exclamation sound and icon.
    static void refuse(const QStringList &pieces);
    // A notice: asterisk sound and information icon.
    static void notice(const QStringList &pieces);
    // Information icon without a sound.
    static void inform(const QStringList &pieces);
    // Yes/No question with the exclamation icon; true for Yes.
    static bool ask(const QStringList &pieces, bool defaultYes);
    // A failure of the store or of the system: error icon, the message as it comes.
    static void error(const QString &message);
    static QString text(const QStringList &pieces);
};

} // namespace tarvo::access
