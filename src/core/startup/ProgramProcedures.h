#pragma once

#include <functional>

namespace tarvo {
class Context;
}

namespace tarvo::core {

// The procedures the start-up runs that other parts of the program build: the data-conversion
// window of "/C" and the application frame. Whoever builds one registers it before the start-up
// runs; an empty one means it is not built.
class ProgramProcedures final {
  public:
    using Procedure = std::function<void(Context &first)>;

    // Datenkonvertieren: opens every data file, runs the one-time corrections and returns when
    // its window has closed.
    static void setDatenkonvertieren(Procedure procedure);
    static Procedure datenkonvertieren();

    // TARVO: the application frame; returns when the user has closed it.
    static void setTarvo(Procedure procedure);
    static Procedure tarvo();
};

} // namespace tarvo::core
