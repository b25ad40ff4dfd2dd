#include "course/course_config.h"

#include <algorithm>
#include <system_error>

#include "course/text.h"

namespace qv {

namespace fs = std::filesystem;

namespace {

constexpr std::array<std::string_view, kSlotCount> kLabelKeys = {"LAH", "LBH", "LCH"};

int ReadCount(const fs::path& file, const std::string& key, int most) {
    const auto value = ReadRecordValue(file, key);
    return std::clamp(ParseStoredInt(value.value).value_or(0), 0, most);
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

ReadResult<CourseConfig> ReadCourseConfig(const fs::path& file) {
    CourseConfig config;
    auto title = ReadRecordValue(file, "NME");
    if (!title.ok()) return {config, title.status};
    config.title = title.value;
    config.code = ReadRecordValue(file, "COD").value;
    for (int slot = 1; slot <= kSlotCount; ++slot) {
        ModuleConfig& module = config.modules[static_cast<std::size_t>(slot - 1)];
        module.label = ReadRecordValue(file, kLabelKeys[static_cast<std::size_t>(slot - 1)]).value;
        if (!module.configured()) continue;
        const std::string digit = std::to_string(slot);
        module.topicCount = ReadCount(file, "TT" + digit, kMaxTopics);
        module.paperCount = std::min(ReadCount(file, "TP" + digit, kMaxPapers), 5 * module.topicCount);
        module.topicNames = ReadTopicNames(file, "TN" + digit, module.topicCount).value;
    }
    return {config, IoStatus::Ok};
}

ConfigLoad LoadCourseConfig(const ResourceSource& source, const fs::path& workDir) {
    ConfigLoad load;
    const fs::path scratch = workDir / std::string(kConfigScratchName);
    const Extraction extraction = ExtractResourceFile(source, kConfigurationId, kResourceType, scratch);
    if (!extraction.found) {
        load.problems.push_back("This copy of the program holds no course.");
        return load;
    }
    if (extraction.write == IoStatus::DiskFull) {
        load.diskFull = true;
        load.problems.push_back("The disk that holds " + workDir.string() +
                                " is full, so the course cannot be opened. Free some space on it and "
                                "start the program again.");
        return load;
    }
    if (!extraction.ok()) {
        load.problems.push_back("The course could not be unpacked into " + workDir.string() + ". " +
                                DescribeIoStatus(extraction.write, scratch));
        return load;
    }
    auto read = ReadCourseConfig(scratch);
    std::error_code ignored;
    fs::remove(scratch, ignored);
    if (!read.ok()) {
        load.problems.push_back(DescribeIoStatus(read.status, scratch));
        return load;
    }
    if (!IsValidCourseCode(read.value.code)) {
        load.problems.push_back("The course code \"" + Cp1252ToUtf8(read.value.code) +
                                "\" cannot be used in file names.");
        return load;
    }
    load.config = std::move(read.value);
    load.available = true;
    return load;
}

}  // namespace qv
