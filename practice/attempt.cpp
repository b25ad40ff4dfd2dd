#include "practice/attempt.h"

#include <algorithm>
#include <system_error>

#include "course/background_writer.h"
#include "course/course_limits.h"
#include "course/marking_journal.h"
#include "course/text.h"
#include "practice/answer_text.h"
#include "practice/marking.h"
#include "practice/question_text.h"
#include "practice/wrong_reason.h"

namespace qv {

namespace fs = std::filesystem;

namespace {

const std::string kNoText;

constexpr std::string_view kKeptHere = " Your answers are kept in this window; they are saved again at the next move or Save.";

// A result file read whole, or missing (the paper starts empty); anything
// else (unreadable, not a file, damaged) stops the paper from opening.
// A damaged file opens with what could be read of it.
bool Readable(IoStatus status) {
    return status == IoStatus::Ok || status == IoStatus::Missing || status == IoStatus::Damaged;
}

std::string Describe(IoStatus status, const fs::path& file) {
    std::string text = DescribeIoStatus(status, file);
    if (!Readable(status)) text += " It has not been rewritten, so nothing in it is lost.";
    return text;
}

const std::string& TextAt(const Fields& list, int i) {
    return i >= 0 && i < static_cast<int>(list.size()) ? list[static_cast<std::size_t>(i)] : kNoText;
}

}  // namespace

PaperAttempt::PaperAttempt(const AttemptFiles& files) : files_(files) {}

PaperAttempt::~PaperAttempt() = default;

void PaperAttempt::Reset() { state_ = Loaded(); }

fs::path PaperAttempt::ResultFile(ResultKind kind) const {
    return ResultFilePath(state_.context.workDir, kind, state_.context.slot, state_.context.courseCode);
}

LoadOutcome PaperAttempt::Load(const ResourceSource& source, const PaperContext& context) {
    FinishWrites();
    Reset();
    moveUnsaved_ = false;
    state_.context = context;
    LoadOutcome outcome = LoadPaperData(source, state_.context, state_.paper);
    if (!outcome.ok()) {
        Reset();
        return outcome;
    }
    int offset = 0;
    for (int count : state_.paper.partCounts) {
        state_.offsets.push_back(offset);
        offset += count;
    }
    state_.answersFile = ResultFile(files_.answers);
    state_.resultsFile = ResultFile(files_.results);
    state_.marksFile = ResultFile(ResultKind::Marks);
    state_.trendFile = ResultFile(ResultKind::Trend);

    outcome = ReadOwnRecord(files_.answers, state_.answerRecords, state_.answers);
    if (outcome.ok()) outcome = ReadOwnRecord(files_.results, state_.resultRecords, state_.results);
    if (!outcome.ok()) {
        Reset();
        return outcome;
    }
    ModuleMarks marks = ReadMarksRecords(state_.marksFile, state_.context.paperCount);
    if (!Readable(marks.status)) {
        const std::string message = Describe(marks.status, state_.marksFile) + " The paper cannot be opened without it.";
        Reset();
        return {LoadStatus::ResultsUnreadable, message};
    }
    state_.marks = std::move(marks.lists);
    const int p = state_.context.paperNumber() - 1;
    // A marked state that could not be read is taken from the part results:
    // only a marking writes them.
    state_.marked = marks.Read(files_.stateRecord, p + 1) ? ParseStoredNumber(TextAt(state_.marks[files_.stateRecord], p)) == 1.0
                                                    : HasPartResults();
    state_.score = TextAt(state_.marks[files_.scoreRecord], p);
    if (files_.timed) {
        state_.timeTaken = TextAt(state_.marks.timesTaken, p);
        state_.date = TextAt(state_.marks.dates, p);
    }

    outcome = AfterLoad();
    if (!outcome.ok()) {
        Reset();
        return outcome;
    }
    RebuildRemainingList();
    state_.loaded = true;
    return {};
}

LoadOutcome PaperAttempt::ReadOwnRecord(ResultKind kind, Fields& records, Fields& values) {
    const fs::path file = ResultFile(kind);
    auto read = ReadPaperRecords(file, state_.context.paperCount);
    if (!Readable(read.status)) {
        return {LoadStatus::ResultsUnreadable,
                Describe(read.status, file) + " The paper cannot be opened without it."};
    }
    if (read.status == IoStatus::Damaged) state_.notices.push_back(Describe(read.status, file));
    records = std::move(read.value);
    values = SplitPaperRecord(TextAt(records, state_.context.paperNumber() - 1), totalParts());
    if (kind == ResultKind::FirstAnswers || kind == ResultKind::SecondAnswers) {
        for (std::string& answer : values) answer = StoredAnswer(answer);
    }
    return {};
}

WriteOutcome PaperAttempt::WriteOwnRecord(ResultKind kind, const Fields& values, Fields& records,
                                          Durability durability) const {
    const fs::path file = ResultFile(kind);
    Fields lines;
    const IoStatus status = ReplacePaperRecord(file, state_.context.paperCount, state_.context.paperNumber(), values,
                                               totalParts(), lines, durability);
    if (status != IoStatus::Ok) return {status, Describe(status, file)};
    records = std::move(lines);
    return {};
}

int PaperAttempt::PartOffset(int question) const {
    if (question < 1) return 0;
    if (question > questionCount()) return totalParts();
    return state_.offsets[static_cast<std::size_t>(question - 1)];
}

int PaperAttempt::PartCount(int question) const {
    if (question < 1 || question > questionCount()) return 0;
    return state_.paper.partCounts[static_cast<std::size_t>(question - 1)];
}

int PaperAttempt::QuestionOfPart(int part) const {
    if (part < 0 || part >= totalParts()) return 0;
    return static_cast<int>(std::upper_bound(state_.offsets.begin(), state_.offsets.end(), part) - state_.offsets.begin());
}

AnswerType PaperAttempt::PartType(int part) const {
    const AnswerTypes& types = state_.paper.answerTypes;
    return part >= 0 && part < static_cast<int>(types.size()) ? types[static_cast<std::size_t>(part)]
                                                              : AnswerType::Unknown;
}
const RecordText& PaperAttempt::PartKey(int part) const { return TextAt(state_.paper.answerKey, part); }

int PaperAttempt::PartMaxLength(int part) const { return AnswerMaxLength(PartType(part)); }

bool PaperAttempt::NeedsInstruction(int question) const {
    const int offset = PartOffset(question);
    for (int part = offset; part < offset + PartCount(question); ++part) {
        if (qv::NeedsInstruction(PartType(part))) return true;
    }
    return false;
}

const std::string& PaperAttempt::currentQuestionId() const { return TextAt(state_.paper.questionIds, state_.current - 1); }

bool PaperAttempt::IsPartLocked(int) const { return state_.marked; }

std::vector<SheetPart> PaperAttempt::SheetParts(const ResourceSource& source) const {
    const int offset = PartOffset(state_.current);
    const int count = std::min(PartCount(state_.current), kMaxAnswerParts);
    std::vector<SheetPart> parts;
    Fields boxWords;
    bool boxRead = false;
    for (int r = 0; r < count; ++r) {
        const int part = offset + r;
        SheetPart row = SheetPartOf(PartType(part));
        row.answer = TextAt(state_.answers, part);
        row.key = PartKey(part);
        row.result = TextAt(state_.results, part);
        row.showResult = state_.marked;
        if (state_.marked && row.result == kCross) {
            if (!boxRead) boxWords = PlacedBoxWordsOf(source, state_.paper, state_.current);
            boxRead = true;
            row.reason = PaperPartReason(state_.answers, state_.paper.answerKey, state_.paper.answerTypes,
                                         static_cast<std::size_t>(part), boxWords, ModelAnswerShown::No);
        }
        parts.push_back(std::move(row));
    }
    return parts;
}

bool PaperAttempt::HasPartResults() const {
    const Fields stored = SplitPaperRecord(TextAt(state_.resultRecords, state_.context.paperNumber() - 1), totalParts());
    return std::any_of(stored.begin(), stored.end(), [](const std::string& result) { return !result.empty(); });
}

void PaperAttempt::StoreCurrentAnswers(const std::vector<std::string>& rowTexts) {
    if (!state_.loaded) return;
    const int offset = PartOffset(state_.current);
    const int rows = std::min({PartCount(state_.current), kMaxAnswerParts, static_cast<int>(rowTexts.size())});
    for (int r = 0; r < rows; ++r) {
        if (IsPartLocked(offset + r)) continue;
        state_.answers[static_cast<std::size_t>(offset + r)] = NeutraliseFieldValue(rowTexts[static_cast<std::size_t>(r)]);
    }
}

WriteOutcome PaperAttempt::Save(Durability durability) {
    FinishWrites();
    if (!state_.loaded || state_.marked) return {};
    WriteOutcome outcome = WriteOwnRecord(files_.answers, state_.answers, state_.answerRecords, durability);
    if (outcome.ok()) moveUnsaved_ = false;
    else outcome.message += kKeptHere;
    return outcome;
}

void PaperAttempt::WriteMovesInBackground(std::function<void(WriteOutcome)> failed) {
    FinishWrites();
    moveFailed_ = std::move(failed);
    if (!writer_) writer_ = std::make_unique<BackgroundWriter>();
}

void PaperAttempt::FinishWrites() const {
    if (writer_) writer_->Wait();
}

void PaperAttempt::SaveMoveInBackground(std::string line) {
    const auto index = static_cast<std::size_t>(state_.context.paperNumber() - 1);
    if (state_.answerRecords.size() <= index) state_.answerRecords.resize(index + 1);
    state_.answerRecords[index] = std::move(line);  // what the file will hold
    const fs::path file = ResultFile(files_.answers);
    // The writer makes one write at a time, so the buffers are never shared.
    auto write = [file, count = state_.context.paperCount, number = state_.context.paperNumber(),
                  values = state_.answers, parts = totalParts(), buffers = &moveBuffers_] {
        return ReplacePaperRecord(file, count, number, values, parts, *buffers, Durability::Unsynced);
    };
    writer_->Post(file.string(), std::move(write), [this, file](IoStatus status) {
        if (status == IoStatus::Ok) return;
        moveUnsaved_ = true;
        if (moveFailed_) moveFailed_({status, Describe(status, file) + std::string(kKeptHere)});
    });
}

WriteOutcome PaperAttempt::GoToQuestion(int target, const std::vector<std::string>& rowTexts) {
    StoreCurrentAnswers(rowTexts);
    // Only a move that changes this paper's record writes: paging through the
    // questions rewrites nothing. answerRecords holds the file as last read or
    // written, so answers whose save failed are written at the next move.
    // A move's save that failed on the writer's thread is made again.
    const bool unsaved = moveUnsaved_.exchange(false);
    std::string line = BuildRecordLine(std::to_string(state_.context.paperKey), state_.answers, totalParts());
    const bool changed =
        !state_.loaded || unsaved || line != TextAt(state_.answerRecords, state_.context.paperNumber() - 1);
    WriteOutcome outcome;
    if (changed && writer_ && state_.loaded && !state_.marked) SaveMoveInBackground(std::move(line));
    else if (changed) outcome = Save(Durability::Unsynced);
    if (target >= 1 && target <= questionCount()) state_.current = target;
    RebuildRemainingList();
    return outcome;
}

const std::vector<int>& PaperAttempt::RebuildRemainingList() {
    state_.remaining.clear();
    for (int part = 0; part < static_cast<int>(state_.answers.size()); ++part) {
        if (!TrimSpaces(state_.answers[static_cast<std::size_t>(part)]).empty()) continue;
        const int question = QuestionOfPart(part);
        if (question != 0 && (state_.remaining.empty() || state_.remaining.back() != question)) state_.remaining.push_back(question);
    }
    return state_.remaining;
}

int PaperAttempt::AnsweredCount() const {
    return static_cast<int>(std::count_if(state_.answers.begin(), state_.answers.end(),
                                          [](const std::string& answer) { return !answer.empty(); }));
}

bool PaperAttempt::AllPartsAnswered() const {
    return std::none_of(state_.answers.begin(), state_.answers.end(), [](const std::string& answer) { return answer.empty(); });
}

std::string_view PaperAttempt::MarkingConfirmation() const {
    return AllPartsAnswered() ? kConfirmAllAnswered : kConfirmUnanswered;
}

MarkOutcome PaperAttempt::Mark(std::chrono::seconds elapsed, std::string_view date) {
    FinishWrites();
    MarkOutcome outcome;
    if (!state_.loaded) {
        outcome.problems.push_back("No paper is open, so nothing was marked.");
        return outcome;
    }
    if (state_.marked) {
        outcome.marked = true;
        return outcome;
    }
    const std::string notMarked = " The paper has not been marked; your answers are kept in this window.";
    const int paper = state_.context.paperNumber();

    Fields results = MarkParts(state_.answers, state_.paper.answerKey, state_.paper.answerTypes);
    const long long score = ScoreMarks(results, state_.paper.partMarks);
    const std::string percent = FormatPercent(score, state_.paper.maximumMarks);
    const std::string time = FormatElapsed(elapsed);
    const std::string day = NeutraliseFieldValue(date);
    std::vector<MarksField> changes{{files_.scoreRecord, percent}, {files_.stateRecord, "1"}};
    if (files_.timed) {
        changes.push_back({MarksRecord::TimeTaken, time});
        changes.push_back({MarksRecord::Date, day});
    }
    // A paper whose marked state could not be read and that has part results
    // was marked before: marking it again would write over its time and add
    // to the trend twice.
    const ModuleMarks stored = ReadMarksRecords(state_.marksFile, state_.context.paperCount);
    if (stored.status != IoStatus::Ok && stored.status != IoStatus::Damaged && stored.status != IoStatus::Missing) {
        outcome.problems.push_back(Describe(stored.status, state_.marksFile) + notMarked);
        return outcome;
    }
    if (stored.status == IoStatus::Damaged && !stored.Read(files_.stateRecord, paper) && HasPartResults()) {
        outcome.problems.push_back("The file \"" + PathWords(state_.marksFile.filename()) +
                                   "\" is damaged where this paper's marks are kept, and the paper has been marked "
                                   "before, so it is not marked again.");
        return outcome;
    }

    MarkingJournal journal;
    journal.slot = state_.context.slot;
    journal.code = state_.context.courseCode;
    journal.paperNumber = paper;
    journal.paperCount = state_.context.paperCount;
    const std::string key = std::to_string(state_.context.paperKey);
    journal.records.push_back({files_.answers, BuildRecordLine(key, state_.answers, totalParts())});
    journal.records.push_back({files_.results, BuildRecordLine(key, results, totalParts())});
    journal.marks = changes;
    if (files_.timed) {
        const auto trend = ReadRecordLine(state_.trendFile, kTrendKey);
        if (!trend.usable() && trend.status != IoStatus::Missing) {
            outcome.problems.push_back(Describe(trend.status, state_.trendFile) + notMarked);
            return outcome;
        }
        // A file without the record gets one, so the trend stays readable.
        journal.trendLine = (trend.value.empty() ? "#" + std::string(kTrendKey) + "#" : trend.value) + ">" +
                            NeutraliseFieldValue(percent);
    }

    const MarkingCommit commit = CommitMarking(state_.context.workDir, journal);
    if (!commit.ok() && !commit.pending) {
        outcome.problems.push_back(Describe(commit.status, commit.file) + notMarked);
        return outcome;
    }
    if (!commit.ok()) {
        outcome.problems.push_back(Describe(commit.status, commit.file) +
                                   " The marking will be finished the next time the program starts.");
    }

    // What the files now hold (or, when the marking is to be finished at the
    // next start, will hold).
    if (auto records = ReadPaperRecords(state_.answersFile, state_.context.paperCount); records.usable()) {
        state_.answerRecords = std::move(records.value);
    }
    if (auto records = ReadPaperRecords(state_.resultsFile, state_.context.paperCount); records.usable()) {
        state_.resultRecords = std::move(records.value);
    }
    state_.marks = stored.lists;
    for (const MarksField& change : changes) state_.marks[change.record][static_cast<std::size_t>(paper - 1)] = change.value;
    state_.results = std::move(results);
    state_.marked = true;
    state_.score = percent;
    state_.rawScore = std::to_string(score);
    if (files_.timed) {
        state_.timeTaken = time;
        state_.date = day;
    }
    outcome.marked = true;
    return outcome;
}

PageOutcome PaperAttempt::CurrentPage(const ResourceSource& source) const {
    if (!state_.loaded) return {{}, "No paper is open."};
    const auto number = ParseStoredInt(currentQuestionId());
    std::optional<std::string> page = number ? source.Load(*number, kResourceType) : std::nullopt;
    if (page && !page->empty()) return {std::move(*page), {}};
    return {{}, "The page of question " + std::to_string(state_.current) + " could not be shown."};
}

}  // namespace qv
