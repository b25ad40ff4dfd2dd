#pragma once

#include <QObject>
#include <QPointer>
#include <chrono>

#include "course/resources.h"
#include "practice/practice_window.h"

namespace qv {

class Contents;

// Opens the paper the main window asks for in a practice window, after
// closing any that is open, so that at most one is ever open. The window
// takes its context from the main window once, when it opens.
class PracticeOpener : public QObject {
    Q_OBJECT

public:
    PracticeOpener(Contents& contents, const ResourceSource& resources);
    // A practice window still open goes with the opener, unsaved: the main
    // window it would report back to is going away.
    ~PracticeOpener() override;

    // The paper named by the main window's PaperNum and TakeNum. The open
    // window's answers are written first; if they cannot be, it stays open.
    void OpenPaper();
    // Closes the open practice window without asking or saving.
    void UnloadAll();
    PracticeWindow* current() const { return current_; }

    // The program's message box (the main window's by default) and the
    // system one of the page guards; tests answer them themselves, and
    // shorten the marking progress.
    std::function<bool(const QString&, const QString&, int, QWidget*)> ask;
    std::function<void(const QString&, const QString&, QWidget*)> inform;
    std::chrono::milliseconds markingStep{200};
    // The file a question page is saved in as a PDF; the file dialog when not set.
    std::function<QString(QWidget*)> choosePdfFile;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    PaperContext Context() const;

    Contents& contents_;
    const ResourceSource& resources_;
    QPointer<PracticeWindow> current_;
};

}  // namespace qv
