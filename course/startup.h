#pragma once

#include <chrono>
#include <filesystem>
#include <string>
#include <vector>

#include "course/course_config.h"
#include "course/resources.h"
#include "course/results_store.h"

namespace qv {

// What the program needs from its files before the main window is shown.
struct StartupData {
    ConfigLoad configuration;
    std::vector<int> failedPictures;  // ids that could not be written
    EnsureOutcome results;

    // Every problem, in words, for the pupil; the notice of a reset, when
    // there was one, comes last.
    std::vector<std::string> problems() const;
};

// Removes the temporary files an interrupted write left, writes into
// "Graphics" the interface pictures whose file differs from the packed copy,
// reads the course configuration from its resource and makes sure every
// result file of every configured module exists.
StartupData PrepareStartupData(const ResourceSource& source, const std::filesystem::path& workDir,
                               std::chrono::system_clock::time_point now);

}  // namespace qv
