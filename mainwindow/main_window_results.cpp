#include "mainwindow/main_window.h"

#include <QDir>
#include <chrono>

#include "course/results_store.h"
#include "mainwindow/mistakes_printing.h"
#include "mainwindow/results_printing.h"
#include "mainwindow/trash_page.h"
#include "report/results_listing.h"
#include "ui/pop_up.h"
#include "ui/record_text.h"

// The main window's commands that change or print the stored results:
// erasing them from the trash page, printing the listing and the mistakes.

namespace qv {

void MainWindow::EraseConfirmed() {
    // An erase that would be refused leaves the open paper as it is.
    const std::string refusal = resources_ ? EraseRefusal(*resources_, ToPath(workDir_), config_) : std::string();
    OpenPaperHold hold = OpenPaperHold::None;
    if (refusal.empty()) emit erasingResults(&hold);
    if (hold != OpenPaperHold::None) {
        // Once marked, the paper can be erased with one more Yes.
        if (hold == OpenPaperHold::NotSaved) trash_->ShowState(TrashState::Offer);
        Ask(QStringLiteral("Quorvale"),
            hold == OpenPaperHold::BeingMarked
                ? QStringLiteral("A paper is being marked. Erase your results when the marking has finished.")
                : QStringLiteral("Your past results have not been erased: the answers of the open paper could "
                                 "not be saved. Nothing has been changed."),
            PopUpButtons::Ok, this);
        return;
    }
    const EraseOutcome outcome = refusal.empty() ? EraseAllResults() : EraseOutcome{};
    if (outcome.erased) {
        trash_->ShowErased(QDir::toNativeSeparators(QString::fromStdU16String(outcome.backupFolder.u16string())));
        return;
    }
    trash_->ShowState(TrashState::Offer);
    Ask(QStringLiteral("Quorvale"), QString::fromStdString(refusal.empty() ? outcome.message : refusal),
        PopUpButtons::Ok, this);
}

EraseOutcome MainWindow::EraseAllResults() {
    if (!resources_) {
        EraseOutcome outcome;
        outcome.message = "Your past results have not been erased: this copy of the program holds no empty result "
                          "files to put in their place.";
        return outcome;
    }
    return EraseResults(*resources_, ToPath(workDir_), config_, std::chrono::system_clock::now());
}

void MainWindow::PrintResults() {
    const int slot = moduleSlot_;
    if (slot < 1 || slot > kSlotCount || !config_.module(slot).configured()) return;
    const ModuleConfig& module = config_.module(slot);
    // Read again now, so that the listing shows what is stored.
    const auto marksFile = ResultFilePath(ToPath(workDir_), ResultKind::Marks, slot, courseCode());
    const auto marks = ReadModuleMarks(marksFile, module.paperCount);
    if (!marks.ok()) {
        Ask(QStringLiteral("Print"),
            QStringLiteral("Your results could not be printed. ") +
                QString::fromStdString(DescribeIoStatus(marks.status, marksFile)),
            PopUpButtons::Ok, this);
        return;
    }
    // The printing tells the pupil itself what became of the job.
    [[maybe_unused]] const PrintOutcome printed = printing_->Print(ResultsListing(ToRecord(windowTitle()), module, marks.value));
}

void MainWindow::PrintSetup() { printing_->Setup(); }

void MainWindow::PrintMistakes() {
    const int slot = moduleSlot_;
    if (slot < 1 || slot > kSlotCount || !config_.module(slot).configured()) return;
    // The printing tells the pupil itself what became of the sheet.
    [[maybe_unused]] const PrintOutcome printed =
        mistakes_->PrintModule(printing_->printer(), resources_, ToPath(workDir_), slot, courseCode(),
                               ToRecord(windowTitle()), config_.module(slot));
}

}  // namespace qv
