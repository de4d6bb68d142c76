#pragma once

#include <functional>

namespace tarvo {
class Context;
}

namespace tarvo::data {
class Session;
}

namespace tarvo::core {

// What runs after a form called through a service has closed, given the response it left
// (1 completed, 2 cancelled).
using FormDone = std::function<void(int response)>;

// The caller's context of a form called through a service, with its data files. Without them the
// user is told, `done` gets Cancelled and the result is null.
struct CalledForm final {
    Context *context = nullptr;
    data::Session *session = nullptr;

    static CalledForm of(int contextNumber, const FormDone &done);
    explicit operator bool() const { return context && session; }
};

} // namespace tarvo::core
