#pragma once

#include "core/lists/IssueRowLook.h"

namespace tarvo::issues {

// The issue windows know the row look under its old name.
using IssueRowLook = core::IssueRowLook;

} // namespace tarvo::issues
