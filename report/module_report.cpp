#include "report/module_report.h"

#include "course/results_store.h"
#include "course/text.h"
#include "practice/paper_records.h"

namespace qv {

namespace {

// A score changed by hand into a word or a number beyond 0 to 100.
std::string LeftOutWords(std::string_view what, const std::filesystem::path& file, std::string_view who) {
    return std::string(what) + " the file \"" + PathWords(file.filename()) + "\" in " + PathWords(file.parent_path()) +
           " are not scores from 0 to 100, so " + std::string(who) + " them out.";
}

}  // namespace

ModuleReport ComputeModuleReport(const ModuleConfig& module, const Fields& firstScores,
                                 const Fields& secondScores, std::string_view trendRecord) {
    ModuleReport report;
    report.tally = TallyScores(firstScores, secondScores, module.topicCount);
    report.rows = TopicRows(report.tally, module.topicNames, module.topicCount);
    report.ranking = RankTopics(report.tally, module.topicNames, module.topicCount);
    report.summary = SummariseScores(report.tally, report.ranking, module.topicNames, module.paperCount);
    report.trend = TrendFromRecord(trendRecord);
    return report;
}

ModuleReport LoadModuleReport(const std::filesystem::path& workDir, int slot, std::string_view code,
                              const ModuleConfig& module) {
    const auto marksFile = ResultFilePath(workDir, ResultKind::Marks, slot, code);
    const auto trendFile = ResultFilePath(workDir, ResultKind::Trend, slot, code);
    const auto marks = ReadModuleMarks(marksFile, module.paperCount);
    const auto trend = ReadRecordLine(trendFile, kTrendKey);

    ModuleReport report = ComputeModuleReport(module, marks.value.firstScores, marks.value.secondScores, trend.value);
    if (!marks.ok()) {
        report.problems.push_back({marksFile, DescribeIoStatus(marks.status, marksFile)});
    } else if (report.tally.damagedScores > 0) {
        report.problems.push_back({marksFile, LeftOutWords("Some scores in", marksFile, "the report leaves"), true});
    }
    if (!trend.ok()) {
        report.problems.push_back({trendFile, DescribeIoStatus(trend.status, trendFile)});
    } else if (report.trend.damagedEntries > 0) {
        report.problems.push_back(
            {trendFile, LeftOutWords("Some entries in", trendFile, "the trend plot leaves"), true});
    }

    // A paper counts when both attempts are marked.
    const auto firstFile = ResultFilePath(workDir, ResultKind::FirstResults, slot, code);
    const auto secondFile = ResultFilePath(workDir, ResultKind::SecondResults, slot, code);
    const auto first = ReadPaperRecords(firstFile, module.paperCount);
    const auto second = ReadPaperRecords(secondFile, module.paperCount);
    report.gain = ComputeLearningGain(module, marks.value.firstMarked, marks.value.secondMarked, first.value, second.value);
    if (!first.ok()) report.problems.push_back({firstFile, DescribeIoStatus(first.status, firstFile)});
    if (!second.ok()) report.problems.push_back({secondFile, DescribeIoStatus(second.status, secondFile)});
    return report;
}

}  // namespace qv
