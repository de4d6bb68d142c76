#pragma once

#include <QString>

namespace tarvo::data {

// One file error as the managers report it: the message number of the error object's table
// and the texts for its placeholders (%File, %Field, %Key, %ErrorText, %Message).
struct FileError final {
    int messageNumber = 0;
    QString file;
    QString field;
    QString key;
    QString errorText;
    QString message;
    int errorCode = 0;
};

// Where the managers send their errors: the thread's error object in the program, a recording
// fake in tests. report() answers questions (message 35) with a button of Messages.h. While a
// transaction is open on the thread, the message layer keeps what the reporter shows until the
// transaction has ended, and a question is answered with its declining button (No): the user is
// not asked while the transaction holds the store.
class ErrorReporter {
  public:
    virtual ~ErrorReporter() = default;
    virtual int report(const FileError &error) = 0;
};

} // namespace tarvo::data
