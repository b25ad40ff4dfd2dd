#pragma once

#include <QElapsedTimer>
#include <QPointer>
#include <QTimer>
#include <QWidget>
#include <atomic>
#include <chrono>
#include <functional>
#include <memory>

#include "course/resources.h"
#include "practicewindow/answer_sheet.h"
#include "practice/attempt.h"
#include "practice/paper_request.h"
#include "practicewindow/practice_chrome.h"
#include "ui/ask.h"
#include "ui/skin.h"
#include "ui/toolbar_button.h"

namespace qv {

class HoverTicker;
class PageBrowser;
class SkinFrame;

// What a practice window uses of the rest of the program.
struct PracticeServices {
    PictureCache& pictures;
    const CursorSource& cursor;
    const ResourceSource& resources;
    // The program's message box owned by a window; true for "Yes" / "OK".
    AskFunction ask;
    // The system message box of the page guards.
    std::function<void(const QString& title, const QString& message, QWidget* owner)> inform;
    // Called once the window has gone, so the home page shows the paper's new state.
    std::function<void()> refreshHomePage;
    // The wait between two bars of the marking progress display.
    std::chrono::milliseconds markingStep{200};
    // The file a page is saved in as a PDF (empty: cancelled); the file dialog when not set.
    std::function<QString(QWidget* owner)> choosePdfFile;
};

// A practice window: one question at a time as a page beside its answer
// sheet, a toolbar to save, mark, print, close and move, a clock and a count
// of the parts answered. The attempt model decides and writes; the window
// shows what it says. The second attempt is the same window over the
// second-attempt model with a few looks of its own; the window's object name
// says which ("Test1" or "Test2").
class PracticeWindow : public QWidget {
    Q_OBJECT

public:
    PracticeWindow(Attempt which, PracticeServices services, QWidget* parent = nullptr);
    ~PracticeWindow() override;

    // The load sequence. On failure nothing is shown and the returned words
    // say why; the caller tells the pupil and deletes the window.
    LoadOutcome Open(const PaperContext& context);

    // The window's procedures, as its buttons run them.
    void NextQuestion();
    void PreviousQuestion();
    void GoToQuestion(int target);
    void SavePaper();
    void MarkPaper();
    void PrintQuestion();
    // Asks first; the answers typed are written before the window goes.
    void ClosePractice();
    // Stores the answers typed and writes them, unless the paper is marked.
    // False, after telling the pupil why, when they could not be written.
    bool KeepAnswers();
    // Asks in this window's pop-up; the window is not deleted while it asks.
    bool Ask(const QString& title, const QString& message, PopUpButtons buttons);
    // Closes the window without asking or saving (the results are being
    // erased, or the program ends after KeepAnswers).
    void Unload();
    void ToggleAnswerSheet();
    // One 100 ms tick.
    void Tick();

    // True while the marking progress runs: the window must not go away then.
    bool busy() const { return busy_; }
    Attempt which() const { return which_; }
    const PaperAttempt& attempt() const { return *attempt_; }
    // True while the window shows its active look.
    bool looksActive() const;
    bool answerSheetShown() const { return answerSheetShown_; }

signals:
    void unloaded();
    // A marking's progress has ended and its results are written (or the
    // pupil is about to be told why they could not be).
    void markingEnded();

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    // What the marked paper shows.
    void ShowMarkedState();
    // Runs the clock; the second attempt has none.
    void TickClock();
    // Sets the score and time labels from the model after loading.
    void ShowStoredResults();
    void ShowQuestionTitle();
    void BuildToolbarLooks();
    void WireButtons();
    void FillSheet();
    void ShowCurrentPage();
    void FillRemainingList();
    void ShowProblem(const std::string& words);
    // Writes the answers now; a move's failure still to be told is then not told.
    WriteOutcome SaveAnswers();
    void Inform();
    // Runs a dialog of this window's (a question, a printer's, a file's);
    // Unload meanwhile ends the dialog and deletes the window afterwards.
    template <typename Dialog>
    auto WhileAsking(Dialog&& dialog) {
        ++asking_;
        auto result = dialog();
        EndAsking();
        return result;
    }
    void EndAsking();
    void Layout();
    void OnPageKey(bool ctrl, int key);
    void OnPageMouse(Qt::MouseButton button);
    void RunClock();

    Attempt which_;
    std::unique_ptr<PaperAttempt> attempt_;
    PracticeServices services_;
    SkinFrame* frame_ = nullptr;
    std::unique_ptr<PracticeChrome> chrome_;
    PageBrowser* brwWebBrowser = nullptr;
    AnswerSheet* AnsBox = nullptr;
    QTimer* Timer1 = nullptr;
    HoverTicker* hover_ = nullptr;
    QTimer* clockTimer_ = nullptr;
    QElapsedTimer clock_;
    PressTrack* pressTrack_ = nullptr;
    bool answerSheetShown_ = true;
    bool busy_ = false;
    bool unloading_ = false;
    // Saves made by Save, Mark or Close; read on the writer's thread too.
    std::atomic<unsigned> saves_{0};
    int asking_ = 0;
    bool goneAfterAsking_ = false;
    QPointer<PracticeWindow> self_;

    std::array<ButtonPictures, PracticeChrome::kButtons> looks_;
};

}  // namespace qv
