#pragma once

#include <array>
#include <filesystem>
#include <string>
#include <vector>

#include "course/io_status.h"
#include "course/record_file.h"
#include "course/resources.h"

namespace qv {

inline constexpr int kSlotCount = 3;
inline constexpr int kMaxTopics = 10;
inline constexpr int kMaxPapers = 50;

struct ModuleConfig {
    std::string label;  // empty: the slot is not configured
    int topicCount = 0;
    int paperCount = 0;
    Fields topicNames = Fields(kMaxTopics);

    bool configured() const { return !label.empty(); }
};

// The course configuration, read once at start-up. Texts are the stored
// Windows-1252 bytes.
struct CourseConfig {
    std::string title;
    std::string code;
    std::array<ModuleConfig, kSlotCount> modules;  // slots 1..3 at 0..2

    // A slot outside 1..3 is an empty, unconfigured module.
    const ModuleConfig& module(int slot) const;
    bool anyConfigured() const;
    // The first configured slot (1..3), or 0 when none is.
    int firstConfiguredSlot() const;
};

// Reads the configuration record file. Topic and paper counts are kept
// within 0..10 and 0..50, and a paper count is never more than five papers
// per topic. Only configured slots have their counts and names looked up.
ReadResult<CourseConfig> ReadCourseConfig(const std::filesystem::path& file);
// The same on the configuration's bytes.
CourseConfig ParseCourseConfig(std::string_view text);

struct ConfigLoad {
    CourseConfig config;   // empty when it could not be read
    bool available = false;
    std::vector<std::string> problems;  // sentences for the pupil
};

// Reads the course's configuration straight from its resource; nothing is
// written, so a full or read-only disk does not keep the course from opening.
ConfigLoad LoadCourseConfig(const ResourceSource& source);

// True when a course code is safe as part of a file name.
bool IsValidCourseCode(std::string_view code);

}  // namespace qv
