#pragma once

#include "platform/runtime/ContextRef.h"

namespace tarvo {

class Context;
class ContextRegistry;

// The slot of a window that may run only once: a second start brings the running one to the front
// instead of opening again.
class RunOnce final {
  public:
    enum class Admission {
        Refused,         // another instance runs; it was asked to come to the front
        Admitted,        // opens without holding the slot (a selection)
        AdmittedAndHeld, // opens and holds the slot until release()
    };

    explicit RunOnce(ContextRegistry &registry) : m_registry(registry) {}

    // Decides whether a window opening on the context may open. A selection always may; otherwise,
    // while another instance runs, the gain-focus event is posted to it and the answer is Refused.
    Admission admit(const Context &context);
    // Clears the slot when it still names that context.
    void release(const ContextRef &holder);
    // The number of the running instance's context, 0 when none runs.
    int number() const;

  private:
    ContextRegistry &m_registry;
    ContextRef m_holder;
};

} // namespace tarvo
