#pragma once

namespace tarvo {
class Context;
class ContextRegistry;
} // namespace tarvo

namespace tarvo::core {

// What every context does when it starts and ends: its error object in the settings' language,
// its request cells, its file and relation managers.
class ThreadHooks final {
  public:
    // Adds the start and end hooks to the registry (once per registry).
    static void install(ContextRegistry &registry);
    static void threadStart(Context &context);
    static void threadEnd(Context &context);
};

} // namespace tarvo::core
