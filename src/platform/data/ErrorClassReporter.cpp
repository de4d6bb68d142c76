#include "platform/data/ErrorClassReporter.h"

#include "platform/runtime/ErrorClass.h"
#include "platform/runtime/Messages.h"

namespace tarvo::data {

int ErrorClassReporter::report(const FileError &error)
{
    m_errors.setFile(error.file);
    m_errors.setField(error.field);
    m_errors.setKey(error.key);
    m_errors.setErrorText(error.errorText, error.errorCode);
    m_errors.setMessage(error.message);
    if (error.messageNumber == 0) {
        // No table entry fits: the driver's own text is the message.
        Messages::show(m_errors.errorText(), m_errors.messageTitle(0), MessageIcon::Exclamation);
        return Button::Ok;
    }
    if (!error.message.isEmpty())
        return m_errors.throwMessage(error.messageNumber, error.message);
    return m_errors.throwFile(error.messageNumber, error.file);
}

} // namespace tarvo::data
