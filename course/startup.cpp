#include "course/startup.h"

#include "course/file_system.h"

namespace qv {

std::vector<std::string> StartupData::problems() const {
    std::vector<std::string> all = configuration.problems;
    if (!failedPictures.empty()) {
        all.push_back(std::to_string(failedPictures.size()) +
                      " of the program's pictures could not be written into the \"Graphics\" folder.");
    }
    all.insert(all.end(), results.problems.begin(), results.problems.end());
    if (!results.notice.empty()) all.push_back(results.notice);
    return all;
}

StartupData PrepareStartupData(const ResourceSource& source, const std::filesystem::path& workDir,
                               std::chrono::system_clock::time_point now) {
    StartupData data;
    RemoveLeftoverFiles(workDir);
    data.failedPictures = ExtractPictures(source, workDir);
    data.configuration = LoadCourseConfig(source);
    if (data.configuration.available) {
        data.results = EnsureResultFiles(source, workDir, data.configuration.config, now);
    }
    return data;
}

}  // namespace qv
