#pragma once
// The command line, handled before any window-system connection is made.
#include <optional>

namespace kadelo {

// Handles --help, --version, wrong options and a missing window system. Returns the exit status
// when the program should end here (after printing), nothing when the screens should start.
// Only reads argv; needs no QCoreApplication.
std::optional<int> handleCommandLine(int argc, char* argv[]);

} // namespace kadelo
