#include "course/course_config.h"

#include <algorithm>

#include "course/course_limits.h"
#include "course/atomic_file.h"
#include "course/text.h"

namespace qv {

namespace fs = std::filesystem;

namespace {

constexpr std::array<std::string_view, kSlotCount> kLabelKeys = {"LAH", "LBH", "LCH"};

// The record line of `key` from its 7th character on.
std::string_view ValueOf(std::string_view text, std::string_view key) {
    const std::string_view line = FindRecordLine(text, key);
    return line.size() < 7 ? std::string_view() : line.substr(6);
}

int ReadCount(std::string_view text, const std::string& key, int most) {
    return std::clamp(ParseStoredInt(std::string(ValueOf(text, key))).value_or(0), 0, most);
}

}  // namespace

const ModuleConfig& CourseConfig::module(int slot) const {
    static const ModuleConfig kNone;
    if (slot < 1 || slot > kSlotCount) return kNone;
    return modules[static_cast<std::size_t>(slot - 1)];
}

bool CourseConfig::anyConfigured() const { return firstConfiguredSlot() != 0; }

int CourseConfig::firstConfiguredSlot() const {
    for (int slot = 1; slot <= kSlotCount; ++slot) {
        if (module(slot).configured()) return slot;
    }
    return 0;
}

bool IsValidCourseCode(std::string_view code) {
    if (code.empty() || code.size() > 16) return false;
    return std::all_of(code.begin(), code.end(), [](char c) {
        return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') ||
               c == '_' || c == '-';
    });
}

CourseConfig ParseCourseConfig(std::string_view text) {
    CourseConfig config;
    config.title = ValueOf(text, "NME");
    config.code = ValueOf(text, "COD");
    for (int slot = 1; slot <= kSlotCount; ++slot) {
        ModuleConfig& module = config.modules[static_cast<std::size_t>(slot - 1)];
        module.label = ValueOf(text, kLabelKeys[static_cast<std::size_t>(slot - 1)]);
        if (!module.configured()) continue;
        const std::string digit = std::to_string(slot);
        module.topicCount = ReadCount(text, "TT" + digit, kMaxTopics);
        module.paperCount = std::min(ReadCount(text, "TP" + digit, kMaxPapers), kPapersPerTopic * module.topicCount);
        const Fields names = SplitRecordLine(FindRecordLine(text, "TN" + digit), module.topicCount);
        std::copy(names.begin(), names.end(), module.topicNames.begin());
    }
    return config;
}

ReadResult<CourseConfig> ReadCourseConfig(const fs::path& file) {
    auto bytes = ReadWholeFile(file);
    if (!bytes.ok()) return {CourseConfig(), bytes.status};
    return {ParseCourseConfig(bytes.value), IoStatus::Ok};
}

ConfigLoad LoadCourseConfig(const ResourceSource& source) {
    ConfigLoad load;
    const auto bytes = source.Load(kConfigurationId, kResourceType);
    if (!bytes) {
        load.problems.push_back("This copy of the program holds no course.");
        return load;
    }
    CourseConfig config = ParseCourseConfig(*bytes);
    if (!IsValidCourseCode(config.code)) {
        load.problems.push_back("The course code \"" + Cp1252ToUtf8(config.code) +
                                "\" cannot be used in file names.");
        return load;
    }
    load.config = std::move(config);
    load.available = true;
    return load;
}

}  // namespace qv
