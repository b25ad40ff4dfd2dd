#include "practice/test2.h"

#include "practice/marking.h"
#include "practice/question_text.h"
#include "practice/wrong_reason.h"

namespace qv {

Test2::Test2(PracticeServices services, QWidget* parent)
    : PracticeWindow(QStringLiteral("Test2"), std::make_unique<SecondAttempt>(), std::move(services), true, parent) {}

std::vector<SheetPart> Test2::SheetParts() const {
    std::vector<SheetPart> parts = PracticeWindow::SheetParts();
    const SecondAttempt& a = second();
    const int offset = a.PartOffset(a.currentQuestion());
    const bool marked = a.marked();
    const Fields boxWords = marked ? PlacedBoxWordsOf(resources(), a.paper(), a.currentQuestion()) : Fields();
    for (std::size_t r = 0; r < parts.size(); ++r) {
        const int part = offset + static_cast<int>(r);
        SheetPart& row = parts[r];
        row.key = a.ModelAnswer(part);
        row.result = a.FirstResult(part);
        row.secondResult = a.SecondResult(part);
        row.carried = a.IsCarriedOver(part);
        // Before marking only the carried parts show their first tick; after
        // it every part shows its second result.
        row.showResult = !marked && row.carried;
        row.showSecondResult = marked;
        row.showModel = a.ShowsModelAnswer(part);
        // Beside the model answer the reason may name it.
        row.reason = marked && row.secondResult == kCross
                         ? PaperPartReason(a.answers(), a.paper().answerKey, a.paper().answerTypes,
                                           static_cast<std::size_t>(part), boxWords,
                                           row.showModel ? ModelAnswerShown::Yes : ModelAnswerShown::No)
                         : std::string();
    }
    return parts;
}

}  // namespace qv
