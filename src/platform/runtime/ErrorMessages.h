#pragma once

#include <span>

namespace tarvo {

// How the error object shows an entry of its message table.
enum class ErrorSeverity {
    Question = 1, // Yes/No question; the answer goes back to the caller
    Program = 2,  // an error of the program itself
    Fatal = 3,    // shown, then the program ends
    Notice = 5,   // shown, and the caller carries on
};

// One entry of an error-message table; texts are UTF-8 and may hold the placeholders "%File",
// "%ErrorText", "%Field", "%Key" and "%Message"; "|" breaks the line.
struct ErrorMessage final {
    int number;
    ErrorSeverity severity;
    const char *title;
    const char *text;
};

// The two message tables of the error object: the same numbers with the same severities, in the
// same order. Constant data, safe to read from any thread.
std::span<const ErrorMessage> germanErrorMessages();
std::span<const ErrorMessage> englishErrorMessages();

} // namespace tarvo
