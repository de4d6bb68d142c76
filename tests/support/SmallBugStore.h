#pragma once

#include "platform/data/Dictionary.h"
#include "platform/data/ErrorReporter.h"

namespace tarvo::test {

// Reports nothing: the tests look at the results themselves.
class SilentReporter final : public data::ErrorReporter {
  public:
    int report(const data::FileError &) override { return 0; }
};

// One file "Bugs" (prefix BUG): ID (@n_7), Status (@s20), Priority (@n3) and Description
// (@s100), with the unique key KeyID on ID, descending when asked.
data::DictionaryDecl smallBugDictionary(bool descendingId = false);

} // namespace tarvo::test
