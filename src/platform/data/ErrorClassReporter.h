#pragma once

#include "platform/data/ErrorReporter.h"

namespace tarvo {
class ErrorClass;
}

namespace tarvo::data {

// Shows the managers' file errors through a thread's error object: the error's details fill the
// placeholders of its message-table entry, and the user's answer goes back to the manager.
class ErrorClassReporter final : public ErrorReporter {
  public:
    explicit ErrorClassReporter(ErrorClass &errors) : m_errors(errors) {}

    int report(const FileError &error) override;

  private:
    ErrorClass &m_errors;
};

} // namespace tarvo::data
