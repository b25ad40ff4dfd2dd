// libFuzzer entry: any bytes as a course source file, read by the course
// compiler as a paper file and as a course header. A fault in the source is
// reported (a SourceError or a diagnostic); anything else thrown, and any
// crash, is a finding. Build with -DQUORVALE_FUZZ=ON and clang.

#include "course_source.h"
#include "diagnostics.h"
#include "fuzz_file.h"
#include "paper_reader.h"
#include "source_text.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes = FuzzBytes(data, size);
    const auto paper = FuzzFile("topic.qvp", bytes);
    try {
        const auto lines = coursec::ReadSourceLines(paper, "topic.qvp", coursec::SourceError("topic.qvp", 0, "unreadable"));
        coursec::Diagnostics out;
        coursec::ReadPapers(lines, "topic.qvp", 101, coursec::QuestionRules{}, out);
    } catch (const coursec::SourceError&) {
    } catch (const coursec::TooManyErrors&) {
    }
    const auto header = FuzzFile("course.qvc", bytes);
    try {
        coursec::Diagnostics out;
        coursec::ReadCourse(header, out);
    } catch (const coursec::TooManyErrors&) {
    }
    return 0;
}
