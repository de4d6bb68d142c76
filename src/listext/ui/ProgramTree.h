#pragma once

#include "platform/runtime/Result.h"

#include <memory>

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
};

// Joins three record sections to a tree as the issue browse shows its programs: each program with
// a "Releases" node over its releases and a "Programfiles" node over its program files (both at
// place 0, in that order), then its sub-programs (the recursion at place 1). The captions pass the
// program's translator.
Result<ProgramTreeSections> addProgramTree(RelationTree &tree, std::shared_ptr<RelationTreeFile> programs,
                                           std::shared_ptr<RelationTreeFile> releases,
                                           std::shared_ptr<RelationTreeFile> files);

} // namespace tarvo::listext::ui
