#pragma once

// Before the pupil's results are erased, an open practice window saves its
// answers, so that the copy made of the results holds them, and closes, so
// that it cannot write its old records back. While its paper is being marked,
// or when its answers cannot be saved, the erasing waits.

#include <QObject>

#include "mainwindow/main_window.h"
#include "app/practice_opener.h"

namespace qv {

inline void CloseBeforeErasing(MainWindow& window, PracticeOpener& practice) {
    QObject::connect(&window, &MainWindow::erasingResults, &practice, [&practice](OpenPaperHold* hold) {
        if (practice.current() && practice.current()->busy()) {
            *hold = OpenPaperHold::BeingMarked;
            return;
        }
        if (practice.current() && !practice.current()->KeepAnswers()) {
            *hold = OpenPaperHold::NotSaved;
            return;
        }
        practice.UnloadAll();
    });
}

}  // namespace qv
