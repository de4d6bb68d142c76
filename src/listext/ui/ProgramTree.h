#pragma once

#include "platform/runtime/Result.h"

#include <functional>
#include <memory>

namespace tarvo::data {
class Session;
}

namespace tarvo::listext::ui {

class RelationTree;
class RelationTreeFile;

// The sections of the issue browse's program tree, as it keeps them to tell the selected row's kind.
struct ProgramTreeSections final {
    int programs = 0;
    int releases = 0;
    int files = 0;
    int releasesHeader = 0;
    int filesHeader = 0;
    int programsHeader = 0;
};

// Joins three record sections to a tree as the issue browse shows its programs: a "Programs" row
// over the top-level programs, each program with
// a "Releases" node over its releases and a "Programfiles" node over its program files (both at
// place 0, in that order), then its sub-programs (the recursion at place 1). The captions pass the
// program's translator.
Result<ProgramTreeSections> addProgramTree(RelationTree &tree, std::shared_ptr<RelationTreeFile> programs,
                                           std::shared_ptr<RelationTreeFile> releases,
                                           std::shared_ptr<RelationTreeFile> files);

// The same over the data files of a session: programs by "PRG:KeyPSort" (owner PRG:P), releases
// by "REL:KeyPrgIDRelease" and program files by "PFIL:KeyPrgIDFile" (owner the program's ID), each
// row showing its name. A top-level program is shown only when `topLimit` (when given) accepts
// its ID; its sub-programs are shown with it.
Result<ProgramTreeSections> addProgramTree(RelationTree &tree, data::Session &session,
                                           std::function<bool(qint64 prgId)> topLimit = {});

} // namespace tarvo::listext::ui
