#pragma once

// The second attempt at a paper: the pupil takes it again after the first
// attempt. Every part right the first time is carried over (its first answer
// and a tick, kept here until the next write stores them in the second-attempt
// files) and locked; the other parts are answered afresh. Marking marks every
// part again, carried-over ones included, and records the score and the
// marked state in SSE and SST of this paper only: no time taken, no date and
// no trend entry. The first attempt's files are only read.

#include <memory>
#include <string>

#include "course/record_file.h"
#include "practice/attempt.h"
#include "practice/paper_request.h"

namespace qv {

class SecondAttempt;

// The model of the given attempt at a paper.
std::unique_ptr<PaperAttempt> NewAttempt(Attempt which);

class SecondAttempt : public PaperAttempt {
public:
    SecondAttempt() : PaperAttempt(kSecondAttemptFiles) {}

    // The first attempt of this paper, one entry per part, as its files hold it.
    const Fields& firstAnswers() const { return firstAnswers_; }
    const Fields& firstResults() const { return firstResults_; }

    // Per part (0-based); empty text out of range.
    const std::string& FirstResult(int part) const;
    const std::string& SecondResult(int part) const;
    // Right the first time: shown filled in, locked and shaded, with the
    // first-attempt tick beside it while unmarked.
    bool IsCarriedOver(int part) const;
    // The text of the part's model-answer field.
    std::string ModelAnswer(int part) const;
    // True once marked for a part the second attempt got wrong: only those
    // show their model answer.
    bool ShowsModelAnswer(int part) const;

    // Carried-over parts are locked; every part once marked.
    bool IsPartLocked(int part) const override;
    // False when a part that was not right the first time has no answer.
    bool AllPartsAnswered() const override;
    // Before marking, the first tick beside the carried parts; after it, the
    // second results, and the model answer beside parts wrong the second time.
    std::vector<SheetPart> SheetParts(const ResourceSource& source) const override;

protected:
    LoadOutcome AfterLoad() override;

private:
    Fields firstAnswers_, firstResults_;
};

}  // namespace qv
