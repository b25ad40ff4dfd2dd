#include "course/course_folder.h"

#include <system_error>

#include "course/course_config.h"
#include "course/course_limits.h"
#include "course/record_file.h"
#include "course/results_store.h"
#include "course/text.h"

namespace qv {

namespace fs = std::filesystem;

namespace {

bool HasFile(const fs::path& folder, int id) {
    std::error_code error;
    return fs::is_regular_file(folder / std::to_string(id), error);
}

// The first resource of module `slot` that the folder lacks, or 0.
int MissingResource(const fs::path& folder, int slot, int paperCount) {
    for (int id : {PaperListId(slot), AnswerKeyId(slot), AnswerTypesId(slot), PartMarksId(slot)}) {
        if (!HasFile(folder, id)) return id;
    }
    for (ResultKind kind : kResultKinds) {
        if (!HasFile(folder, ResultTemplateId(slot, kind))) return ResultTemplateId(slot, kind);
    }
    const fs::path list = folder / std::to_string(PaperListId(slot));
    for (int paper = 1; paper <= paperCount; ++paper) {
        const auto questions = ReadPaperQuestions(list, std::to_string(kPaperKeyOffset + paper));
        if (!questions.ok() || questions.value.empty()) return PaperListId(slot);
        for (const std::string& id : questions.value) {
            const auto number = ParseStoredInt(id);
            if (!number || !HasFile(folder, *number)) return number.value_or(PaperListId(slot));
        }
    }
    return 0;
}

}  // namespace

std::optional<std::string> CourseFolderSource::Load(int id, std::string_view type) const {
    if (auto own = folder_.Load(id, type)) return own;
    if (!PictureFileName(id).empty()) return pictures_.Load(id, type);
    return std::nullopt;
}

std::string CourseFolderFault(const fs::path& folder) {
    const std::string name = "\"" + PathWords(folder) + "\"";
    std::error_code error;
    if (!fs::exists(folder, error)) return "There is no course folder " + name + ".";
    if (!fs::is_directory(folder, error)) return name + " is a file, not a course folder.";
    const auto config = ReadCourseConfig(folder / std::to_string(kConfigurationId));
    const std::string compile = " Ask your teacher to compile the course into it with coursec.";
    if (!config.ok())
        return "The folder " + name + " holds no compiled course (it has no file " +
               std::to_string(kConfigurationId) + ")." + compile;
    if (!IsValidCourseCode(config.value.code) || !config.value.anyConfigured())
        return "The course in " + name + " has no course code or no module." + compile;
    for (int slot = 1; slot <= kSlotCount; ++slot) {
        const ModuleConfig& module = config.value.module(slot);
        if (!module.configured()) continue;
        if (const int missing = MissingResource(folder, slot, module.paperCount); missing != 0)
            return "The course in " + name + " is not complete: its file " + std::to_string(missing) +
                   " is missing or damaged." + compile;
    }
    return {};
}

}  // namespace qv
