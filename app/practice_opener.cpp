#include "app/practice_opener.h"

#include <QEvent>
#include <QMessageBox>
#include <QStringList>
#include <utility>

#include "mainwindow/main_window.h"
#include "ui/record_text.h"
#include "ui/when_drawn.h"

namespace qv {

PracticeOpener::PracticeOpener(MainWindow& window, const ResourceSource& resources)
    : QObject(&window), window_(window), resources_(resources) {
    ask = [this](const QString& title, const QString& message, PopUpButtons buttons, QWidget* owner) {
        return window_.Ask(title, message, buttons, owner);
    };
    inform = [](const QString& title, const QString& message, QWidget* owner) {
        QMessageBox::critical(owner, title, message, QMessageBox::Ok);
    };
    connect(&window_, &MainWindow::paperRequested, this, &PracticeOpener::OpenPaper);
    window_.installEventFilter(this);
}

PracticeOpener::~PracticeOpener() { delete current_.data(); }

PaperContext PracticeOpener::Context(const PaperRequest& request) const {
    const int slot = window_.moduleSlot();
    const ModuleConfig none;
    const ModuleConfig& module = slot >= 1 && slot <= kSlotCount ? window_.config().module(slot) : none;
    return RequestedContext(request, ToPath(window_.workDir()), slot, window_.courseCode(), module);
}

void PracticeOpener::OpenPaper(const PaperRequest& request) {
    // A paper being marked finishes first; the pupil can open the next one then.
    if (current_ && (current_->busy() || !current_->KeepAnswers())) return;
    UnloadAll();
    PracticeServices services{window_.pictures(), window_.cursor(), resources_, ask, inform,
                              [this] { window_.RefreshHomePage(); }, markingStep, choosePdfFile};
    auto* window = new PracticeWindow(request.attempt, std::move(services));
    const LoadOutcome outcome = window->Open(Context(request));
    if (!outcome.ok()) {
        delete window;
        ask(QStringLiteral("Quorvale"), QString::fromStdString(outcome.message), PopUpButtons::Ok, &window_);
        return;
    }
    current_ = window;
    resources_.ReleaseMemory();  // the paper's records and first page are read
    connect(window, &PracticeWindow::unloaded, this, [this, window] {
        if (current_ == window) current_ = nullptr;
    });
    // Closed once the marking's call has returned, never inside it.
    connect(
        window, &PracticeWindow::markingEnded, this,
        [this] {
            if (!std::exchange(stopAfterMarking_, false)) return;
            window_.close();
        },
        Qt::QueuedConnection);
    window->show();
    window->activateWindow();
    // What was damaged in the files the paper was read from, told once the
    // window has been drawn, so that the pop-up comes over it.
    if (!window->attempt().notices().empty()) {
        QStringList notices;
        for (const std::string& notice : window->attempt().notices()) notices << QString::fromStdString(notice);
        WhenDrawn(*window, [window, notices] {
            if (window->isVisible())  // not a paper closed meanwhile
                window->Ask(QStringLiteral("Quorvale"), notices.join(QStringLiteral("\n\n")), PopUpButtons::Ok);
        });
    }
}

void PracticeOpener::UnloadAll() {
    if (current_) current_->Unload();
    current_ = nullptr;
}

void PracticeOpener::Stop() {
    if (current_ && current_->busy()) {
        stopAfterMarking_ = true;
        return;
    }
    // A second stop while the close asks the pupil something does nothing:
    // the window's close is not run again while it is under way.
    window_.close();
}

bool PracticeOpener::eventFilter(QObject* watched, QEvent* event) {
    // The program closes its practice window before the main window, keeping
    // its answers. It stays open while a paper is being marked, and when the
    // answers could not be written, unless the pupil chooses to go without them.
    if (watched != &window_ || event->type() != QEvent::Close || !current_) {
        return QObject::eventFilter(watched, event);
    }
    bool stay = false;
    if (current_->busy()) {
        ask(QStringLiteral("Quorvale"),
            QStringLiteral("A paper is being marked. Close the program when the marking has finished."),
            PopUpButtons::Ok, &window_);
        stay = true;
    } else if (!current_->KeepAnswers()) {
        stay = !ask(QStringLiteral("Quorvale"),
                    QStringLiteral("Close the program without the answers that could not be saved?"),
                    PopUpButtons::YesNo, &window_);
    }
    if (stay) {
        event->ignore();
        return true;
    }
    UnloadAll();
    return QObject::eventFilter(watched, event);
}

}  // namespace qv
