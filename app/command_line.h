#pragma once

#include <optional>

namespace qv {

// Answers "--help" and "--version" on the terminal, before any window or
// screen is needed, and returns the exit code; returns nothing for a command
// line that starts the program. The application's name and version must be
// set first.
std::optional<int> AnswerCommandLine(int argc, char** argv);

}  // namespace qv
