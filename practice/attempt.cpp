#include "practice/attempt.h"

#include <algorithm>
#include <system_error>

#include "course/marking_journal.h"
#include "course/text.h"
#include "practice/answer_text.h"
#include "practice/marking.h"

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

PaperAttempt::~PaperAttempt() { RemovePage(); }

void PaperAttempt::Reset() {
    RemovePage();
    loaded_ = false;
    context_ = PaperContext();
    paper_ = PaperData();
    offsets_.clear();
    answersFile_.clear();
    resultsFile_.clear();
    marksFile_.clear();
    trendFile_.clear();
    current_ = 1;
    answers_.clear();
    results_.clear();
    answerRecords_.clear();
    resultRecords_.clear();
    marks_ = MarksLists();
    marked_ = false;
    score_.clear();
    rawScore_.clear();
    timeTaken_.clear();
    date_.clear();
    remaining_.clear();
}

fs::path PaperAttempt::ResultFile(ResultKind kind) const {
    return ResultFilePath(context_.workDir, kind, context_.slot, context_.courseCode);
}

LoadOutcome PaperAttempt::Load(const ResourceSource& source, const PaperContext& context) {
    Reset();
    context_ = context;
    LoadOutcome outcome = LoadPaperData(source, context_, paper_);
    if (!outcome.ok()) {
        Reset();
        return outcome;
    }
    int offset = 0;
    for (int count : paper_.partCounts) {
        offsets_.push_back(offset);
        offset += count;
    }
    answersFile_ = ResultFile(files_.answers);
    resultsFile_ = ResultFile(files_.results);
    marksFile_ = ResultFile(ResultKind::Marks);
    trendFile_ = ResultFile(ResultKind::Trend);

    outcome = ReadOwnRecord(files_.answers, answerRecords_, answers_);
    if (outcome.ok()) outcome = ReadOwnRecord(files_.results, resultRecords_, results_);
    if (!outcome.ok()) {
        Reset();
        return outcome;
    }
    ModuleMarks marks = ReadMarksRecords(marksFile_, context_.paperCount);
    if (!Readable(marks.status)) {
        const std::string message = Describe(marks.status, marksFile_) + " The paper cannot be opened without it.";
        Reset();
        return {LoadStatus::ResultsUnreadable, message};
    }
    marks_ = std::move(marks.lists);
    const int p = context_.paperNumber() - 1;
    // A marked state that could not be read is taken from the part results:
    // only a marking writes them.
    marked_ = marks.Read(files_.stateRecord, p + 1) ? ParseStoredNumber(TextAt(marks_[files_.stateRecord], p)) == 1.0
                                                    : HasPartResults();
    score_ = TextAt(marks_[files_.scoreRecord], p);
    if (files_.timed) {
        timeTaken_ = TextAt(marks_[kLtmRecord], p);
        date_ = TextAt(marks_[kCddRecord], p);
    }

    outcome = AfterLoad();
    if (!outcome.ok()) {
        Reset();
        return outcome;
    }
    RebuildRemainingList();
    loaded_ = true;
    return {};
}

LoadOutcome PaperAttempt::ReadOwnRecord(ResultKind kind, Fields& records, Fields& values) const {
    const fs::path file = ResultFile(kind);
    auto read = ReadPaperRecords(file, context_.paperCount);
    if (!Readable(read.status)) {
        return {LoadStatus::ResultsUnreadable,
                Describe(read.status, file) + " The paper cannot be opened without it."};
    }
    records = std::move(read.value);
    values = SplitPaperRecord(TextAt(records, context_.paperNumber() - 1), totalParts());
    return {};
}

WriteOutcome PaperAttempt::WriteOwnRecord(ResultKind kind, const Fields& values, Fields& records,
                                          Durability durability) const {
    const fs::path file = ResultFile(kind);
    Fields lines;
    const IoStatus status = ReplacePaperRecord(file, context_.paperCount, context_.paperNumber(), values,
                                               totalParts(), lines, durability);
    if (status != IoStatus::Ok) return {status, Describe(status, file)};
    records = std::move(lines);
    return {};
}

int PaperAttempt::PartOffset(int question) const {
    if (question < 1) return 0;
    if (question > questionCount()) return totalParts();
    return offsets_[static_cast<std::size_t>(question - 1)];
}

int PaperAttempt::PartCount(int question) const {
    if (question < 1 || question > questionCount()) return 0;
    return paper_.partCounts[static_cast<std::size_t>(question - 1)];
}

int PaperAttempt::QuestionOfPart(int part) const {
    if (part < 0 || part >= totalParts()) return 0;
    return static_cast<int>(std::upper_bound(offsets_.begin(), offsets_.end(), part) - offsets_.begin());
}

const std::string& PaperAttempt::PartType(int part) const { return TextAt(paper_.answerTypes, part); }
const std::string& PaperAttempt::PartKey(int part) const { return TextAt(paper_.answerKey, part); }

int PaperAttempt::PartMaxLength(int part) const { return AnswerMaxLength(PartType(part)); }

bool PaperAttempt::NeedsInstruction(int question) const {
    const int offset = PartOffset(question);
    for (int part = offset; part < offset + PartCount(question); ++part) {
        if (PartType(part) == "F" || PartType(part) == "X") return true;
    }
    return false;
}

const std::string& PaperAttempt::currentQuestionId() const { return TextAt(paper_.questionIds, current_ - 1); }

bool PaperAttempt::IsPartLocked(int) const { return marked_; }

bool PaperAttempt::HasPartResults() const {
    const Fields stored = SplitPaperRecord(TextAt(resultRecords_, context_.paperNumber() - 1), totalParts());
    return std::any_of(stored.begin(), stored.end(), [](const std::string& result) { return !result.empty(); });
}

void PaperAttempt::StoreCurrentAnswers(const std::vector<std::string>& rowTexts) {
    if (!loaded_) return;
    const int offset = PartOffset(current_);
    const int rows = std::min({PartCount(current_), kAnswerRows, static_cast<int>(rowTexts.size())});
    for (int r = 0; r < rows; ++r) {
        if (IsPartLocked(offset + r)) continue;
        answers_[static_cast<std::size_t>(offset + r)] = NeutraliseFieldValue(rowTexts[static_cast<std::size_t>(r)]);
    }
}

WriteOutcome PaperAttempt::Save(Durability durability) {
    if (!loaded_ || marked_) return {};
    WriteOutcome outcome = WriteOwnRecord(files_.answers, answers_, answerRecords_, durability);
    if (!outcome.ok()) outcome.message += kKeptHere;
    return outcome;
}

WriteOutcome PaperAttempt::GoToQuestion(int target, const std::vector<std::string>& rowTexts) {
    StoreCurrentAnswers(rowTexts);
    WriteOutcome outcome = Save(Durability::Unsynced);
    if (target >= 1 && target <= questionCount()) current_ = target;
    RebuildRemainingList();
    return outcome;
}

const std::vector<int>& PaperAttempt::RebuildRemainingList() {
    remaining_.clear();
    for (int part = 0; part < static_cast<int>(answers_.size()); ++part) {
        if (!TrimSpaces(answers_[static_cast<std::size_t>(part)]).empty()) continue;
        const int question = QuestionOfPart(part);
        if (question != 0 && (remaining_.empty() || remaining_.back() != question)) remaining_.push_back(question);
    }
    return remaining_;
}

int PaperAttempt::AnsweredCount() const {
    return static_cast<int>(std::count_if(answers_.begin(), answers_.end(),
                                          [](const std::string& answer) { return !answer.empty(); }));
}

bool PaperAttempt::AllPartsAnswered() const {
    return std::none_of(answers_.begin(), answers_.end(), [](const std::string& answer) { return answer.empty(); });
}

std::string_view PaperAttempt::MarkingConfirmation() const {
    return AllPartsAnswered() ? kConfirmAllAnswered : kConfirmUnanswered;
}

MarkOutcome PaperAttempt::Mark(std::chrono::seconds elapsed, std::string_view date) {
    MarkOutcome outcome;
    if (!loaded_) {
        outcome.problems.push_back("No paper is open, so nothing was marked.");
        return outcome;
    }
    if (marked_) {
        outcome.marked = true;
        return outcome;
    }
    const std::string notMarked = " The paper has not been marked; your answers are kept in this window.";
    const int paper = context_.paperNumber();

    Fields results = MarkParts(answers_, paper_.answerKey, paper_.answerTypes);
    const long long score = ScoreMarks(results, paper_.partMarks);
    const std::string percent = FormatPercent(score, paper_.maximumMarks);
    const std::string time = FormatElapsed(elapsed);
    const std::string day = NeutraliseFieldValue(date);
    std::vector<MarksField> changes{{files_.scoreRecord, percent}, {files_.stateRecord, "1"}};
    if (files_.timed) {
        changes.push_back({kLtmRecord, time});
        changes.push_back({kCddRecord, day});
    }
    // A paper whose marked state could not be read and that has part results
    // was marked before: marking it again would write over its time and add
    // to the trend twice.
    const ModuleMarks stored = ReadMarksRecords(marksFile_, context_.paperCount);
    if (stored.status != IoStatus::Ok && stored.status != IoStatus::Damaged && stored.status != IoStatus::Missing) {
        outcome.problems.push_back(Describe(stored.status, marksFile_) + notMarked);
        return outcome;
    }
    if (stored.status == IoStatus::Damaged && !stored.Read(files_.stateRecord, paper) && HasPartResults()) {
        outcome.problems.push_back("The file \"" + marksFile_.filename().string() +
                                   "\" is damaged where this paper's marks are kept, and the paper has been marked "
                                   "before, so it is not marked again.");
        return outcome;
    }

    MarkingJournal journal;
    journal.slot = context_.slot;
    journal.code = context_.courseCode;
    journal.paperNumber = paper;
    journal.paperCount = context_.paperCount;
    const std::string key = std::to_string(context_.paperKey);
    journal.records.push_back({files_.answers, BuildRecordLine(key, answers_, totalParts())});
    journal.records.push_back({files_.results, BuildRecordLine(key, results, totalParts())});
    journal.marks = changes;
    if (files_.timed) {
        const auto trend = ReadRecordLine(trendFile_, kTrendKey);
        if (!trend.usable() && trend.status != IoStatus::Missing) {
            outcome.problems.push_back(Describe(trend.status, trendFile_) + notMarked);
            return outcome;
        }
        // A file without the record gets one, so the trend stays readable.
        journal.trendLine = (trend.value.empty() ? "#" + std::string(kTrendKey) + "#" : trend.value) + ">" +
                            NeutraliseFieldValue(percent);
    }

    const MarkingCommit commit = CommitMarking(context_.workDir, journal);
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
    if (auto records = ReadPaperRecords(answersFile_, context_.paperCount); records.usable()) {
        answerRecords_ = std::move(records.value);
    }
    if (auto records = ReadPaperRecords(resultsFile_, context_.paperCount); records.usable()) {
        resultRecords_ = std::move(records.value);
    }
    marks_ = stored.lists;
    for (const MarksField& change : changes) marks_[change.record][static_cast<std::size_t>(paper - 1)] = change.value;
    results_ = std::move(results);
    marked_ = true;
    score_ = percent;
    rawScore_ = std::to_string(score);
    if (files_.timed) {
        timeTaken_ = time;
        date_ = day;
    }
    outcome.marked = true;
    return outcome;
}

fs::path PaperAttempt::PageFile(int question) const {
    return context_.workDir / ("temppaper" + TextAt(paper_.questionIds, question - 1) + ".mht");
}

PageOutcome PaperAttempt::ExtractCurrentPage(const ResourceSource& source) {
    RemovePage();
    if (!loaded_) return {{}, "No paper is open."};
    const auto number = ParseStoredInt(currentQuestionId());
    const fs::path file = PageFile(current_);
    if (number && ExtractResource(source, *number, kResourceType, file) == kExtractOk) {
        page_ = file;
        return {file, {}};
    }
    std::error_code ignored;
    fs::remove(file, ignored);
    return {{}, "The page of question " + std::to_string(current_) + " could not be shown."};
}

void PaperAttempt::RemovePage() {
    if (page_.empty()) return;
    std::error_code ignored;
    fs::remove(page_, ignored);
    page_.clear();
}

}  // namespace qv
