#include "core/startup/ErrorObjectReporter.h"

#include "platform/runtime/ErrorClass.h"

namespace tarvo::core {

int ErrorObjectReporter::report(const data::FileError &error)
{
    m_errors.setFile(error.file);
    m_errors.setField(error.field);
    m_errors.setKey(error.key);
    m_errors.setMessage(error.message);
    m_errors.setErrorText(error.errorText, error.errorCode);
    return m_errors.throwError(error.messageNumber);
}

} // namespace tarvo::core
