#pragma once

// A paper the pupil asked for on the home page, and the context a practice
// window opens it in.

#include <filesystem>
#include <string>

#include "course/course_config.h"
#include "practice/paper_data.h"

namespace qv {

// Which attempt at a paper: the first, or the second with the parts that
// were right the first time carried over.
enum class Attempt { First, Second };

struct PaperRequest {
    int paperKey = 0;  // 101.. (the paper key offset plus the paper number)
    Attempt attempt = Attempt::First;
};

// The context of a requested paper of module `slot`: the paper's topic and
// its name come from the module's configuration.
PaperContext RequestedContext(const PaperRequest& request, const std::filesystem::path& workDir, int slot,
                              const std::string& courseCode, const ModuleConfig& module);

}  // namespace qv
