#pragma once

#include "core/lists/RowsRead.h"

#include <QString>

#include <vector>

namespace tarvo::core {

// One release of a program as the release drop-downs offer it.
struct ReleaseQueueEntry final {
    QString release;        // QRELEASE
    qint32 releaseDate = 0; // QRELEASEDATE, a day number

    bool operator==(const ReleaseQueueEntry &) const = default;
};

// The releases of one program. Each window owns its own list, so two open forms never see each
// other's choices.
using ReleaseQueue = std::vector<ReleaseQueueEntry>;

// One record of Releases as the filler needs it.
struct ReleaseRow final {
    qint32 prgId = 0;
    QString release;
    qint32 releaseDate = 0;
};

// Reads the releases of a program on the calling window's thread.
class ReleaseSource {
  public:
    virtual ~ReleaseSource() = default;
    virtual RowsRead<ReleaseRow> releasesOf(qint32 programId) = 0;
};

} // namespace tarvo::core
