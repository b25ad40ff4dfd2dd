#pragma once

#include "practice/practice_window.h"

namespace qv {

// The first attempt at a paper.
class Test1 : public PracticeWindow {
public:
    explicit Test1(PracticeServices services, QWidget* parent = nullptr)
        : PracticeWindow(QStringLiteral("Test1"), std::make_unique<FirstAttempt>(), std::move(services), false,
                         parent) {}

    QString Test1Focus() const { return focusFlag(); }
};

}  // namespace qv
