#pragma once

#include <QObject>
#include <QPointer>
#include <chrono>

#include "course/resources.h"
#include "practice/paper_request.h"
#include "practicewindow/practice_window.h"
#include "ui/ask.h"

namespace qv {

class MainWindow;

// Opens the paper the main window asks for in a practice window, after
// closing any that is open, so that at most one is ever open. The window
// takes its context from the main window once, when it opens. The main
// window owns the opener.
class PracticeOpener : public QObject {
    Q_OBJECT

public:
    PracticeOpener(MainWindow& window, const ResourceSource& resources);
    // A practice window still open goes with the opener, unsaved: the main
    // window it would report back to is going away.
    ~PracticeOpener() override;

    // Opens the paper of the current module. The open window's answers are
    // written first; if they cannot be, it stays open.
    void OpenPaper(const PaperRequest& request);
    // Closes the open practice window without asking or saving.
    void UnloadAll();
    // A stop asked for from outside (a logout, a shutdown): the program closes
    // as when the pupil closes it, except that a paper being marked is not
    // interrupted with a pop-up: the program closes once its marking has ended.
    void Stop();
    PracticeWindow* current() const { return current_; }

    // The program's message box (the main window's by default) and the
    // system one of the page guards; tests answer them themselves, and
    // shorten the marking progress.
    AskFunction ask;
    std::function<void(const QString&, const QString&, QWidget*)> inform;
    std::chrono::milliseconds markingStep{200};
    // The file a question page is saved in as a PDF; the file dialog when not set.
    std::function<QString(QWidget*)> choosePdfFile;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    PaperContext Context(const PaperRequest& request) const;

    MainWindow& window_;
    const ResourceSource& resources_;
    QPointer<PracticeWindow> current_;
    // A stop from outside came while the paper was being marked.
    bool stopAfterMarking_ = false;
};

}  // namespace qv
