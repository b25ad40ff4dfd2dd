#pragma once

// The "Qns left" list of a practice window. It moves to another question only
// on a deliberate choice: a click and a pick, or a pick from the opened list.
// Keys typed while it has the focus (digits meant for an answer, Enter) and
// the wheel turned over it change nothing; Space, F4 or Alt+Down open it.

#include <QComboBox>

namespace qv {

class QuestionList : public QComboBox {
public:
    using QComboBox::QComboBox;

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
};

}  // namespace qv
