#pragma once

#include "core/services/MailServices.h"

namespace tarvo::app {

// Refresh notices until the network messaging is built: nothing goes to other running copies,
// and no window is asked to read again.
class QuietRefreshNotices final : public core::RefreshNotices {
  public:
    void sendRefresh(const QString &, int) override {}
    bool needsRefresh(int, qint32 &, qint32 &, const QString &) override { return false; }
};

} // namespace tarvo::app
