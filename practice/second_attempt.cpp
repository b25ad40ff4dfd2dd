#include "practice/second_attempt.h"

#include "practice/marking.h"
#include "practice/model_answer.h"
#include "practice/question_text.h"
#include "practice/wrong_reason.h"

namespace qv {

namespace {

const std::string kNoText;

const std::string& TextAt(const Fields& list, int i) {
    return i >= 0 && i < static_cast<int>(list.size()) ? list[static_cast<std::size_t>(i)] : kNoText;
}

}  // namespace

std::unique_ptr<PaperAttempt> NewAttempt(Attempt which) {
    if (which == Attempt::Second) return std::make_unique<SecondAttempt>();
    return std::make_unique<FirstAttempt>();
}

LoadOutcome SecondAttempt::AfterLoad() {
    firstAnswers_.clear();
    firstResults_.clear();
    Fields records;  // the other papers' lines: this window never writes the first attempt's files
    LoadOutcome outcome = ReadOwnRecord(ResultKind::FirstAnswers, records, firstAnswers_);
    if (outcome.ok()) outcome = ReadOwnRecord(ResultKind::FirstResults, records, firstResults_);
    if (!outcome.ok()) return outcome;
    // A marked second attempt shows what its marking gave, as stored: a part
    // right the first time may have been marked wrong in a group whose other
    // answers changed.
    if (marked()) return {};
    Fields& answers = mutableAnswers();
    Fields& results = mutableResults();
    for (int part = 0; part < totalParts(); ++part) {
        if (!IsCarriedOver(part)) continue;
        const auto i = static_cast<std::size_t>(part);
        answers[i] = firstAnswers_[i];
        results[i] = std::string(kTick);
    }
    return {};
}

// Bounded by the parts of the paper loaded, so nothing of an earlier paper shows after a failed load.
const std::string& SecondAttempt::FirstResult(int part) const {
    return part < totalParts() ? TextAt(firstResults_, part) : kNoText;
}
const std::string& SecondAttempt::SecondResult(int part) const { return TextAt(partResults(), part); }

// A tick beside no answer (the answers file made again since the marking) carries nothing over.
bool SecondAttempt::IsCarriedOver(int part) const {
    return FirstResult(part) == kTick && !TextAt(firstAnswers_, part).empty();
}

std::vector<SheetPart> SecondAttempt::SheetParts(const ResourceSource& source) const {
    std::vector<SheetPart> parts = PaperAttempt::SheetParts(source);
    const int offset = PartOffset(currentQuestion());
    const Fields boxWords = marked() ? PlacedBoxWordsOf(source, paper(), currentQuestion()) : Fields();
    for (std::size_t r = 0; r < parts.size(); ++r) {
        const int part = offset + static_cast<int>(r);
        SheetPart& row = parts[r];
        row.key = ModelAnswer(part);
        row.result = FirstResult(part);
        row.secondResult = SecondResult(part);
        row.carried = IsCarriedOver(part);
        // Before marking only the carried parts show their first tick; after
        // it every part shows its second result.
        row.showResult = !marked() && row.carried;
        row.showSecondResult = marked();
        row.showModel = ShowsModelAnswer(part);
        // Beside the model answer the reason may name it.
        row.reason = marked() && row.secondResult == kCross
                         ? PaperPartReason(answers(), paper().answerKey, paper().answerTypes,
                                           static_cast<std::size_t>(part), boxWords,
                                           row.showModel ? ModelAnswerShown::Yes : ModelAnswerShown::No)
                         : std::string();
    }
    return parts;
}

std::string SecondAttempt::ModelAnswer(int part) const {
    if (part < 0 || part >= totalParts()) return {};
    return qv::ModelAnswer(answers(), paper().answerKey, paper().answerTypes, static_cast<std::size_t>(part));
}

bool SecondAttempt::ShowsModelAnswer(int part) const { return marked() && SecondResult(part) == kCross; }

bool SecondAttempt::IsPartLocked(int part) const { return PaperAttempt::IsPartLocked(part) || IsCarriedOver(part); }

bool SecondAttempt::AllPartsAnswered() const {
    for (int part = 0; part < totalParts(); ++part) {
        if (!IsCarriedOver(part) && answers()[static_cast<std::size_t>(part)].empty()) return false;
    }
    return true;
}

}  // namespace qv
