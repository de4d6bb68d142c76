#pragma once

namespace tarvo {
class CommandLine;
class Context;
} // namespace tarvo

namespace tarvo::core {

struct StartupParts;

// ProgramMain: the start-up of the program on the first context, the frame, and the shutdown.
// Returns the exit code; every failure that ends the program early has been shown.
int ProgramMain(Context &first, const CommandLine &commandLine, StartupParts &parts);

} // namespace tarvo::core
