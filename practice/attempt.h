#pragma once

// One attempt at one paper, as a practice window works on it: the paper's
// course data, the pupil's answers and part results, the current question,
// and the writes into the module's result files (answers, results, marks,
// trend). The window owns one, turns what it says into widgets and words, and
// decides nothing itself.
//
// Questions are numbered from 1 (as the pupil sees them); part indexes are
// 0-based positions in the per-part lists. Texts are Windows-1252 bytes;
// messages for the pupil are UTF-8.

#include <array>
#include <atomic>
#include <chrono>
#include <cstddef>
#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "course/answer_type.h"
#include "course/io_status.h"
#include "course/record_file.h"
#include "course/resources.h"
#include "course/results_store.h"
#include "practice/paper_data.h"
#include "practice/paper_records.h"
#include "practice/sheet_part.h"

namespace qv {

class BackgroundWriter;

// Which result files and marks records an attempt works on.
struct AttemptFiles {
    ResultKind answers;
    ResultKind results;
    MarksRecord scoreRecord;  // the record of the score
    MarksRecord stateRecord;  // the record of the marked state ("0" / "1")
    bool timed;               // marking also records the time taken, the date and a trend entry
};
inline constexpr AttemptFiles kFirstAttemptFiles{ResultKind::FirstAnswers, ResultKind::FirstResults,
                                                 MarksRecord::FirstScore, MarksRecord::FirstMarked, true};
inline constexpr AttemptFiles kSecondAttemptFiles{ResultKind::SecondAnswers, ResultKind::SecondResults,
                                                  MarksRecord::SecondScore, MarksRecord::SecondMarked, false};

// The confirmations asked before marking.
inline constexpr std::string_view kMarkingTitle = "Marking";
inline constexpr std::string_view kConfirmUnanswered =
    "You have not answered all the questions.  Do you still want to mark your practice?";
inline constexpr std::string_view kConfirmAllAnswered = "Do you want to mark your practice now?";

struct [[nodiscard]] WriteOutcome {
    IoStatus status = IoStatus::Ok;
    std::string message;  // a sentence for the pupil when not Ok

    bool ok() const { return status == IoStatus::Ok; }
};

struct [[nodiscard]] MarkOutcome {
    bool marked = false;                // the paper is now marked, in memory and in the marks file
    std::vector<std::string> problems;  // sentences for the pupil, in the order they arose

    bool ok() const { return marked && problems.empty(); }
};

struct [[nodiscard]] PageOutcome {
    std::string archive;  // the page to show, a MIME HTML archive; empty when it could not be read
    std::string message;  // a sentence to show in its place

    bool ok() const { return !archive.empty(); }
};

class PaperAttempt {
public:
    explicit PaperAttempt(const AttemptFiles& files);
    virtual ~PaperAttempt();
    PaperAttempt(const PaperAttempt&) = delete;
    PaperAttempt& operator=(const PaperAttempt&) = delete;

    // Loading. Reads the paper's course data (see LoadPaperData), then this
    // paper's record of the attempt's answers and results files and the marks
    // file. The context is kept for every later write. On failure the attempt
    // stays unloaded and the window closes with the outcome's message.
    LoadOutcome Load(const ResourceSource& source, const PaperContext& context);
    bool loaded() const { return state_.loaded; }

    const PaperContext& context() const { return state_.context; }
    RecordText Caption() const { return state_.context.Caption(); }
    std::filesystem::path ResultFile(ResultKind kind) const;
    const std::filesystem::path& answersFile() const { return state_.answersFile; }
    const std::filesystem::path& resultsFile() const { return state_.resultsFile; }
    const std::filesystem::path& marksFile() const { return state_.marksFile; }
    const std::filesystem::path& trendFile() const { return state_.trendFile; }

    // The paper.
    const PaperData& paper() const { return state_.paper; }
    int questionCount() const { return state_.paper.questionCount(); }
    int totalParts() const { return state_.paper.totalParts(); }
    long long maximumMarks() const { return state_.paper.maximumMarks; }
    // Part index of the first part of a question (the parts of every
    // question before it), and its number of parts.
    int PartOffset(int question) const;
    int PartCount(int question) const;
    // The question (1-based) that owns a part; 0 when there is none.
    int QuestionOfPart(int part) const;
    // The answer type and the key of a part; Unknown and empty text when out of range.
    AnswerType PartType(int part) const;
    const RecordText& PartKey(int part) const;
    // The longest answer the part's field takes (0: no limit).
    int PartMaxLength(int part) const;
    // True when a part of the question is answered as the written
    // instruction shown under the answer sheet says.
    bool NeedsInstruction(int question) const;

    // The question on show; 1 after loading.
    int currentQuestion() const { return state_.current; }
    const std::string& currentQuestionId() const;
    bool CanGoBack() const { return state_.current > 1; }
    bool CanGoNext() const { return state_.current < questionCount(); }

    // Answers and part results, one entry per part.
    const Fields& answers() const { return state_.answers; }
    const Fields& partResults() const { return state_.results; }
    // True when the part's field takes no typing: every part once marked.
    virtual bool IsPartLocked(int part) const;
    // The answer sheet's rows for the current question, at most one a row.
    // A marked paper's wrong parts say why; `source` gives the question's
    // page, whose box words the reasons look at.
    virtual std::vector<SheetPart> SheetParts(const ResourceSource& source) const;

    // Copies the texts of the answer rows of the current question (row 1
    // first) into the answers. Rows beyond the question's parts and locked
    // parts are left alone; what cannot be stored in a record is neutralised
    // here, so the answers stay as the file will hold them.
    void StoreCurrentAnswers(const std::vector<std::string>& rowTexts);

    // Writes this paper's answers into the attempt's answers file. Writes
    // nothing once the paper is marked, since its answers are locked. A save
    // that ends a piece of work (Save, closing, marking) is flushed to the
    // disk; a move's save only replaces the file whole.
    WriteOutcome Save(Durability durability = Durability::Synced);

    // Stores the rows, saves when that changes this paper's record in the
    // file, makes `target` the current question (when it is one of the
    // paper's) and rebuilds the remaining questions. The move is made even
    // when the save fails: the answers stay here and the next move or save
    // writes them.
    WriteOutcome GoToQuestion(int target, const std::vector<std::string>& rowTexts);

    // From now on a move's save is written on a thread of its own, so that
    // the next question shows at once; GoToQuestion then reports no failure
    // itself. `failed` is told, on that thread, of a move's save that could
    // not be written, in words for the pupil; the next move or Save writes
    // the answers again. Saving, marking and loading wait for those writes
    // first, and so does destroying the attempt.
    void WriteMovesInBackground(std::function<void(WriteOutcome)> failed);
    // Returns once every move's save asked for has been written or has failed.
    void FinishWrites() const;

    // The questions (ascending, each once) with a part whose answer is empty
    // or blanks only. Rebuilt after loading and after every move.
    const std::vector<int>& RebuildRemainingList();
    const std::vector<int>& remainingQuestions() const { return state_.remaining; }

    // Parts whose stored answer is not empty.
    int AnsweredCount() const;
    // False when a part that needs an answer has none (exactly empty).
    virtual bool AllPartsAnswered() const;
    // The question to ask before marking.
    std::string_view MarkingConfirmation() const;

    // Marks every part, then writes this paper's answers and results and its
    // fields of the marks file (the score and the marked state; for a timed
    // attempt also the time taken and the date) and, for a timed attempt,
    // appends the score to the trend. `elapsed` is the time since loading
    // finished, measured by the window with a steady clock; `date` is the date
    // of marking in the short date form. When the answers, the results or the
    // marks cannot be written the paper stays unmarked, nothing here changes
    // but the answers, and the problems say why. A marked paper is not marked
    // again.
    MarkOutcome Mark(std::chrono::seconds elapsed, std::string_view date);

    bool marked() const { return state_.marked; }
    const RecordText& scoreText() const { return state_.score; }       // percent: "90", "66.7"
    const RecordText& rawScoreText() const { return state_.rawScore; }  // right marks; empty before marking here
    const RecordText& timeTaken() const { return state_.timeTaken; }    // "0:12:5"
    const RecordText& dateCompleted() const { return state_.date; }

    // The record lines of the attempt's answers and results files and the six
    // marks lists, as last read or written (this paper's answers record: as
    // last asked to be written).
    const Fields& answerRecords() const { return state_.answerRecords; }
    // Sentences for the pupil about damaged result files the paper was read
    // from (its answers and results, and for a second attempt the first
    // attempt's), to be told once the window is on show.
    const std::vector<std::string>& notices() const { return state_.notices; }
    const Fields& resultRecords() const { return state_.resultRecords; }
    const MarksLists& marksLists() const { return state_.marks; }

    // The current question's page, read from the course in memory: showing
    // a page writes nothing to the working folder.
    PageOutcome CurrentPage(const ResourceSource& source) const;

protected:
    // Called at the end of loading, after the attempt's own records and the
    // marks are read and before the remaining questions are listed.
    virtual LoadOutcome AfterLoad() { return {}; }

    const AttemptFiles& files() const { return files_; }
    Fields& mutableAnswers() { return state_.answers; }
    Fields& mutableResults() { return state_.results; }
    // Reads this paper's record of a per-paper result file, split into its
    // parts. Missing files give empty parts.
    // A damaged file is read for what is sound in it and named in notices().
    LoadOutcome ReadOwnRecord(ResultKind kind, Fields& records, Fields& values);
    WriteOutcome WriteOwnRecord(ResultKind kind, const Fields& values, Fields& records,
                                Durability durability = Durability::Synced) const;

private:
    // Everything one loaded paper holds, reset whole before the next is
    // loaded, so nothing of one paper can carry over into another.
    struct Loaded {
        bool loaded = false;
        PaperContext context;
        PaperData paper;
        std::vector<int> offsets;  // PartOffset of each question
        std::filesystem::path answersFile, resultsFile, marksFile, trendFile;
        int current = 1;
        Fields answers, results;
        Fields answerRecords, resultRecords;
        MarksLists marks;
        bool marked = false;
        std::string score, rawScore, timeTaken, date;
        std::vector<int> remaining;
        std::vector<std::string> notices;
    };

    void Reset();
    void SaveMoveInBackground(std::string line);
    // True when the results file holds a result for a part of this paper's
    // attempt: it was marked.
    bool HasPartResults() const;

    AttemptFiles files_;
    Loaded state_;
    // Set by the writer's thread when a move's save failed.
    std::atomic<bool> moveUnsaved_{false};
    std::function<void(WriteOutcome)> moveFailed_;
    RecordBuffers moveBuffers_;  // used by the moves' writes alone, one at a time
    std::unique_ptr<BackgroundWriter> writer_;  // last: its writes end before the rest goes
};

// The first attempt at a paper: the first-attempt answers and results files,
// FSE, LTM, CDD and FST, and the trend.
class FirstAttempt : public PaperAttempt {
public:
    FirstAttempt() : PaperAttempt(kFirstAttemptFiles) {}
};

}  // namespace qv
