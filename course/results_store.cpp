#include "course/results_store.h"

#include <algorithm>
#include <ctime>
#include <system_error>

#include "course/atomic_file.h"
#include "course/file_system.h"
#include "course/record_file.h"
#include "course/text.h"

namespace qv {

namespace fs = std::filesystem;

namespace {

std::string_view Stem(ResultKind kind) {
    switch (kind) {
        case ResultKind::Marks: return "marks";
        case ResultKind::FirstAnswers: return "first";
        case ResultKind::SecondAnswers: return "second";
        case ResultKind::FirstResults: return "fresults";
        case ResultKind::SecondResults: return "sresults";
        case ResultKind::Trend: return "trend";
    }
    return "results";
}

std::tm LocalTime(std::chrono::system_clock::time_point now) {
    const std::time_t seconds = std::chrono::system_clock::to_time_t(now);
    std::tm local{};
#if defined(_WIN32)
    localtime_s(&local, &seconds);
#else
    localtime_r(&seconds, &local);
#endif
    return local;
}

}  // namespace

std::string ResultFileName(ResultKind kind, int slot, std::string_view code) {
    std::string name(Stem(kind));
    name += std::to_string(slot);
    name += code;
    name += ".txt";
    return name;
}

fs::path ResultFilePath(const fs::path& workDir, ResultKind kind, int slot, std::string_view code) {
    return workDir / ResultFileName(kind, slot, code);
}

bool AnyResultFileMissing(const fs::path& workDir, int slot, std::string_view code) {
    for (ResultKind kind : kResultKinds) {
        if (InspectPath(ResultFilePath(workDir, kind, slot, code)).kind == PathKind::Missing) return true;
    }
    return false;
}

std::string BackupFolderName(std::chrono::system_clock::time_point now) {
    const std::tm local = LocalTime(now);
    char text[32];
    std::strftime(text, sizeof text, "%Y-%m-%d_%H-%M-%S", &local);
    return text;
}

ReadResult<std::array<std::vector<std::string>, 6>> ReadModuleMarks(const fs::path& marksFile, int papers) {
    ReadResult<std::array<std::vector<std::string>, 6>> marks;
    const auto file = ReadWholeFile(marksFile);
    for (std::size_t r = 0; r < kMarksKeys.size(); ++r) {
        std::vector<std::string> fields;
        if (file.ok()) {
            fields = SplitFields(FindRecordLine(file.value, kMarksKeys[r]), FirstSeparatorIndex(3),
                                 std::clamp(papers, 0, kMaxPapers));
        } else {
            marks.status = file.status;
            fields.assign(static_cast<std::size_t>(std::max(papers, 0)), std::string());
        }
        for (std::string& field : fields) {
            if (field.size() <= kMaxMarksFieldBytes) continue;
            field.clear();  // no score, time or date is anywhere near this long
            marks.status = IoStatus::TooLarge;
        }
        marks.value[r] = std::move(fields);
    }
    return marks;
}

IoStatus AppendTrend(const fs::path& trendFile, std::string_view score) {
    const auto line = ReadRecordLine(trendFile, kTrendKey);
    if (!line.ok()) return line.status;
    // A file without the record gets one, so the trend stays readable.
    std::string record = line.value.empty() ? "#" + std::string(kTrendKey) + "#" : line.value;
    record += '>';
    record += NeutraliseFieldValue(score);
    record += "\r\n";
    return AtomicWriteFile(trendFile, record, Durability::Synced);
}

}  // namespace qv
