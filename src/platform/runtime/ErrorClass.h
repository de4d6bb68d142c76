#pragma once

#include "platform/runtime/ErrorMessages.h"
#include "platform/runtime/Result.h"

#include <QString>
#include <QStringList>

#include <span>
#include <vector>

namespace tarvo {

// The error object of one logical thread: its message table, the details of the error at hand and
// the names of the procedures running on the thread. Every thread owns one; only the tables behind
// it are shared.
class ErrorClass final {
  public:
    // Starts with the German table, as every error object does before init() chooses the language.
    ErrorClass();

    // Loads the German table again and, unless the clipped language is "Deutsch", puts the English
    // entries in place of the German ones.
    void init(const QString &language);

    // The loaded table in its order, and the entry of one number (nullptr when there is none).
    const std::vector<const ErrorMessage *> &entries() const { return m_entries; }
    const ErrorMessage *find(int number) const;

    // The details that fill the placeholders of the next message.
    void setFile(const QString &name) { m_file = name; }
    void setField(const QString &name) { m_field = name; }
    void setKey(const QString &description) { m_key = description; }
    void setMessage(const QString &message) { m_message = message; }
    void setErrorText(const QString &text, int code = 0);
    void setError(const Error &error) { setErrorText(error.message, error.code); }
    const QString &file() const { return m_file; }
    const QString &field() const { return m_field; }
    const QString &key() const { return m_key; }
    const QString &message() const { return m_message; }
    int errorCode() const { return m_errorCode; }
    // What "%ErrorText" becomes: the text, followed by the code in brackets when there is one.
    QString errorText() const;

    // Fills the placeholders of text from the details set above, in one pass, so that a filled-in
    // value is never read as a placeholder itself.
    QString fillPlaceholders(const QString &text) const;
    // Title and filled text of a message as it would be shown; an unknown number gives a generic
    // message naming it.
    QString messageTitle(int number) const;
    QString messageText(int number) const;

    // Shows a message through the message layer. Questions answer Button::Yes or Button::No, all
    // others Button::Ok; a fatal message ends the program through Messages::exitProgram and
    // returns only if the exit hook does.
    int throwError(int number);
    int throwMessage(int number, const QString &message);
    int throwFile(int number, const QString &file);

    // The names of the procedures running on the thread, innermost last.
    void setProcedureName(const QString &name) { pushProcedureName(name); }
    void pushProcedureName(const QString &name) { m_procedures.append(name); }
    void popProcedureName();
    QString procedureName() const;

  private:
    void load(std::span<const ErrorMessage> table);
    QString genericText(int number) const;

    std::vector<const ErrorMessage *> m_entries;
    bool m_german = true;
    QString m_file;
    QString m_field;
    QString m_key;
    QString m_message;
    QString m_errorText;
    int m_errorCode = 0;
    QStringList m_procedures;
};

} // namespace tarvo
