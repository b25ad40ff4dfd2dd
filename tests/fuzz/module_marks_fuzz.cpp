// libFuzzer entry: any bytes as a module's marks file, read by the results
// store, then a marking written into it and the file read again. Whatever
// was read must read the same afterwards, and nothing that was not read may
// come back as read. The same bytes as the marks, trend and results files of
// another module are read by the report. Build with -DQUORVALE_FUZZ=ON and clang.

#include <cstdio>
#include <cstdlib>

#include "course/results_store.h"
#include "report/module_report.h"
#include "fuzz_file.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes = FuzzBytes(data, size);
    // The first byte chooses the paper count and the paper to mark.
    const int papers = size > 0 ? 1 + data[0] % 50 : 50;
    const int paper = size > 1 ? 1 + data[1] % papers : 1;
    FuzzFile("marks2QEN.txt", bytes);
    FuzzFile("trend2QEN.txt", bytes);
    FuzzFile("fresults2QEN.txt", bytes);
    FuzzFile("sresults2QEN.txt", bytes);
    qv::ModuleConfig module;
    module.label = "Module";
    module.topicCount = (papers + 4) / 5;
    module.paperCount = papers;
    for (int t = 0; t < module.topicCount; ++t) module.topicNames[static_cast<std::size_t>(t)] = "Topic";
    const qv::ModuleReport report = qv::LoadModuleReport(FuzzFolder(), 2, "QEN", module);
    Check(report.rows.size() <= 10);
    const auto file = FuzzFile("marks1QEN.txt", bytes);
    const qv::ModuleMarks before = qv::ReadMarksRecords(file, papers);
    const auto lists = qv::ReadModuleMarks(file, papers);
    Check(lists.value == before.lists);
    for (qv::MarksRecord r : qv::kMarksRecords) {
        Check(before.lists[r].size() == static_cast<std::size_t>(papers));
        for (std::size_t i = 0; i < before.lists[r].size(); ++i) {
            if (!before.Read(r, static_cast<int>(i) + 1)) Check(before.lists[r][i].empty());
            else Check(before.lists[r][i].size() <= qv::kMaxMarksFieldBytes);
        }
    }

    qv::MarksLists written;
    const qv::IoStatus status = qv::UpdateModuleMarks(
        file, papers, paper, {{qv::MarksRecord::FirstScore, "75"}, {qv::MarksRecord::FirstMarked, "1"}}, written);
    const qv::ModuleMarks after = qv::ReadMarksRecords(file, papers);
    if (status != qv::IoStatus::Ok) {
        Check(after.lists == before.lists);  // a refused write changes nothing
        return 0;
    }
    Check(after.lists == written);
    for (qv::MarksRecord r : qv::kMarksRecords) {
        const bool state = r == qv::MarksRecord::FirstMarked || r == qv::MarksRecord::SecondMarked;
        for (int p = 1; p <= papers; ++p) {
            const bool changed = p == paper && (r == qv::MarksRecord::FirstScore || r == qv::MarksRecord::FirstMarked);
            if (changed) {
                Check(after.Read(r, p));
                continue;
            }
            if (state && !before.Read(r, p)) Check(!after.Read(r, p));  // an unknown state stays unknown
            if (before.Read(r, p)) {
                Check(after.Read(r, p));
                Check(after.lists[r][static_cast<std::size_t>(p - 1)] == before.lists[r][static_cast<std::size_t>(p - 1)]);
            }
        }
    }
    return 0;
}
