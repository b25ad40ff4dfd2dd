#pragma once

// The course compiler's command line.

#include <ostream>
#include <string>
#include <vector>

namespace coursec {

// Runs coursec with the arguments after the program's name: faults, warnings
// and notes go to `err`, the summary and the comparison with an earlier
// build to `out`. Returns the exit code: 0 built, 1 a fault, 2 a wrong
// command line.
int RunCoursec(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

}  // namespace coursec
