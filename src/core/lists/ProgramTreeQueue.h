#pragma once

#include "core/lists/SharedList.h"

#include <QString>

namespace tarvo::core {

// One row of the program tree drop-downs: the root "Programs" or one program.
struct ProgramTreeQueueEntry final {
    static constexpr qint32 DefaultColor = -1; // the list's own colour
    static constexpr qint32 RootIcon = 1;
    static constexpr qint32 ProgramIcon = 2;

    QString prgName;                      // PQPRGNAME
    qint32 col1NormalFg = DefaultColor;   // PQ1COLORNFG
    qint32 col1NormalBg = DefaultColor;   // PQ1COLORNBG
    qint32 col1SelectedFg = DefaultColor; // PQ1COLORSFG
    qint32 col1SelectedBg = DefaultColor; // PQ1COLORSBG
    qint32 icon = 0;                      // PQ1ICON
    qint32 level = 0;                     // PQLEVEL; negative: has children, shown contracted
    QString status;                       // PQSTATUS
    qint32 col2NormalFg = DefaultColor;   // PQ2COLORNFG
    qint32 col2NormalBg = DefaultColor;   // PQ2COLORNBG
    qint32 col2SelectedFg = DefaultColor; // PQ2COLORSFG
    qint32 col2SelectedBg = DefaultColor; // PQ2COLORSBG
    qint32 id = 0;                        // PQID; 0 for the root row

    bool operator==(const ProgramTreeQueueEntry &) const = default;
};

// The program tree, shared by all windows.
using ProgramTreeQueue = SharedList<ProgramTreeQueueEntry>;

// One record of Programs as the tree needs it.
struct ProgramRow final {
    qint32 id = 0;
    qint32 parent = 0; // PRG:P, 0 for a top-level program
    qint32 sort = 0;
    QString prgName;
    QString status;
};

} // namespace tarvo::core
