#include "practicewindow/question_list.h"

#include <QKeyEvent>
#include <QWheelEvent>

namespace qv {

void QuestionList::keyPressEvent(QKeyEvent* event) {
    const bool alt = event->modifiers() & Qt::AltModifier;
    const int key = event->key();
    if (key == Qt::Key_Space || key == Qt::Key_F4 || (alt && (key == Qt::Key_Down || key == Qt::Key_Up))) {
        showPopup();
        event->accept();
        return;
    }
    // Everything else goes to the window, as if the list were not there.
    event->ignore();
}

void QuestionList::wheelEvent(QWheelEvent* event) { event->ignore(); }

}  // namespace qv
