#pragma once

// A marking changes four result files (the answers, the part results, the
// marks and the trend). So that it is all or nothing, the new records are
// first written, durably, into one journal file in the working folder; then
// the files are written one after another, and the journal is removed. A
// start that finds the journal writes its records again (every step can be
// done twice without harm) before anything reads the result files, so a
// marking stopped half-way is finished; a journal that cannot be read whole
// is dropped, since the marking it began never reached a result file.

#include <cstddef>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "course/course_config.h"
#include "course/io_status.h"
#include "course/results_store.h"

namespace qv {

inline constexpr std::string_view kMarkingJournalName = "marking.txt";

// The new records of one paper's marking.
struct MarkingJournal {
    int slot = 0;
    std::string code;
    int paperNumber = 0;  // 1-based
    int paperCount = 0;   // records in every per-paper file
    // The paper's whole new record line ("#107#>...") in a per-paper file.
    struct Record {
        ResultKind kind = ResultKind::FirstAnswers;
        std::string line;
    };
    std::vector<Record> records;
    std::vector<MarksField> marks;    // the paper's fields of the marks file
    std::optional<std::string> trendLine;  // the whole new trend record, when the marking adds to it
};

// The journal as its file holds it, and back. Decoding gives nothing for
// bytes that are not a whole journal of this form (cut short, changed, with
// a file or field that does not belong to one paper of one module).
std::string EncodeMarkingJournal(const MarkingJournal& journal);
std::optional<MarkingJournal> DecodeMarkingJournal(std::string_view bytes);

struct MarkingCommit {
    IoStatus status = IoStatus::Ok;
    std::filesystem::path file;  // the file a failure is about
    // The files could neither all be written nor all be put back: the
    // journal stays, and the next start (or the next marking) finishes it.
    bool pending = false;

    bool ok() const { return status == IoStatus::Ok; }
};

// Writes the journal, then every file it names, then removes it. When a file
// cannot be written, the files already written are put back as they were
// and the journal is removed, so nothing has changed; when even that fails
// the journal is kept (`pending`). A journal an earlier marking left is
// finished first; when that fails, nothing of this one is written.
MarkingCommit CommitMarking(const std::filesystem::path& workDir, const MarkingJournal& journal);

// What a start found of a marking that was stopped half-way.
struct MarkingRecovery {
    bool found = false;     // there was a journal
    bool finished = false;  // its records are now in the result files
    std::vector<std::string> problems;  // sentences for the pupil
    std::string notice;                 // when a marking was finished or dropped
};

// Finishes the marking a journal in the working folder names, or drops the
// journal when it cannot be read whole, names a module that is not in the
// configuration, or when one of that module's result files is missing (the
// start could not make it again).
MarkingRecovery FinishInterruptedMarking(const std::filesystem::path& workDir, const CourseConfig& config);

// Removes the journal; a reset of every result makes it void.
void DropMarkingJournal(const std::filesystem::path& workDir);

}  // namespace qv
