#pragma once

#include "platform/data/ErrorReporter.h"

namespace tarvo {
class ErrorClass;
}

namespace tarvo::core {

// Hands the file errors of a context's managers to that context's error object, which shows
// them from its message table.
class ErrorObjectReporter final : public data::ErrorReporter {
  public:
    explicit ErrorObjectReporter(ErrorClass &errors) : m_errors(errors) {}
    int report(const data::FileError &error) override;

  private:
    ErrorClass &m_errors;
};

} // namespace tarvo::core
