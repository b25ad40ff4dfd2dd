#pragma once

#include "practice/practice_window.h"
#include "practice/second_attempt.h"

namespace qv {

// The second attempt at a paper: the first attempt's window over the
// second-attempt model. Each row shows the first result and, once marked,
// the second; parts right the first time are locked and shaded, and the
// model answer shows beside every part the second attempt got wrong.
class Test2 : public PracticeWindow {
public:
    explicit Test2(PracticeServices services, QWidget* parent = nullptr);

    QString Test2Focus() const { return focusFlag(); }

protected:
    std::vector<SheetPart> SheetParts() const override;

private:
    const SecondAttempt& second() const { return static_cast<const SecondAttempt&>(attempt()); }
};

}  // namespace qv
