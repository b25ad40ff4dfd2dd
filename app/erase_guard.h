#pragma once

// Before the pupil's results are erased, an open practice window is closed
// without saving, so that it cannot write its old records back; while its
// paper is being marked the erasing waits.

#include <QObject>

#include "mainwindow/main_window.h"
#include "app/practice_opener.h"

namespace qv {

inline void CloseBeforeErasing(MainWindow& window, PracticeOpener& practice) {
    QObject::connect(&window, &MainWindow::erasingResults, &practice, [&practice](bool* refused) {
        if (practice.current() && practice.current()->busy()) {
            *refused = true;
            return;
        }
        practice.UnloadAll();
    });
}

}  // namespace qv
