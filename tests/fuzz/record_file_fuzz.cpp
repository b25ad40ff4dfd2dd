// libFuzzer entry: any bytes as a record file, read by every reader of a
// result or course record file, and by the marking journal's reader; what
// each gives must hold together (a split line keeps to its field count, a
// paper's record begins with its key). Build with -DQUORVALE_FUZZ=ON and clang.

#include <cstdio>
#include <cstdlib>

#include "course/marking_journal.h"
#include "course/record_file.h"
#include "course/text_lines.h"
#include "fuzz_file.h"
#include "practice/paper_records.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes = FuzzBytes(data, size);
    std::size_t total = 0;
    const auto lines = qv::SplitLines(bytes);
    for (std::string_view line : lines) {
        Check(line.find_first_of("\r\n") == std::string_view::npos);
        total += line.size();
    }
    Check(total <= bytes.size());
    if (!lines.empty()) {
        Check(qv::SplitRecordLine(lines.front(), 80).size() == 80);
        Check(qv::SplitTrendEntries(lines.back(), 50).size() == 50);
    }

    const auto file = FuzzFile("records.txt", bytes);
    static_cast<void>(qv::ReadRecordValue(file, "TT2"));
    static_cast<void>(qv::ReadRecordFields(file, "FSE", 50));
    Check(qv::ReadTopicNames(file, "TN2", 10).value.size() == 10);
    static_cast<void>(qv::ReadRecordLine(file, "TRD"));
    static_cast<void>(qv::ReadPaperQuestions(file, "101"));
    static_cast<void>(qv::CountAnswerParts(file, {"13001", "13002", "13003"}));
    static_cast<void>(qv::ReadQuestionFields(file, {"13001", "13002", "13003"}));
    static_cast<void>(qv::ReadPaperLines(file, 50));
    const auto records = qv::ReadPaperRecords(file, 50);
    for (std::size_t i = 0; i < records.value.size(); ++i) {
        const std::string& record = records.value[i];
        Check(record.empty() || record.starts_with("#" + std::to_string(101 + i) + "#"));
        Check(qv::SplitPaperRecord(record, 50).size() == 50);
    }
    if (const auto journal = qv::DecodeMarkingJournal(bytes)) {
        // What decodes encodes back to the same bytes.
        Check(qv::EncodeMarkingJournal(*journal) == bytes);
    }
    return 0;
}
