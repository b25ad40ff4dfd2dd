#pragma once

#include <QElapsedTimer>
#include <QPointer>
#include <QTimer>
#include <QWidget>
#include <chrono>
#include <functional>
#include <memory>

#include "course/resources.h"
#include "practice/answer_sheet.h"
#include "practice/attempt.h"
#include "practice/practice_chrome.h"
#include "ui/skin.h"
#include "ui/toolbar_button.h"

namespace qv {

class PageBrowser;
class SkinFrame;

// What a practice window uses of the rest of the program.
struct PracticeServices {
    PictureCache& pictures;
    const CursorSource& cursor;
    const ResourceSource& resources;
    // The program's message box owned by a window; true for "Yes" / "OK".
    std::function<bool(const QString& title, const QString& message, int buttons, QWidget* owner)> ask;
    // The system message box of the page guards.
    std::function<void(const QString& title, const QString& message, QWidget* owner)> inform;
    // Called once the window has gone, so the home page shows the paper's new state.
    std::function<void()> refreshContents;
    // The wait between two bars of the marking progress display.
    std::chrono::milliseconds markingStep{200};
    // The file a page is saved in as a PDF (empty: cancelled); the file dialog when not set.
    std::function<QString(QWidget* owner)> choosePdfFile;
};

// A practice window: one question at a time as a page beside its answer
// sheet, a toolbar to save, mark, print, close and move, a clock and a count
// of the parts answered. The attempt model decides and writes; the window
// shows what it says. The second attempt is the same window over another
// model with a few looks of its own.
class PracticeWindow : public QWidget {
    Q_OBJECT

public:
    // `name` is the window's name ("Test1", "Test2").
    PracticeWindow(const QString& name, std::unique_ptr<PaperAttempt> attempt, PracticeServices services,
                   bool secondAttempt, QWidget* parent = nullptr);
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
    // Closes the window without asking or saving (the results are being
    // erased, or the program ends after KeepAnswers).
    void Unload();
    void ToggleAnswerSheet();
    // One 100 ms tick.
    void Tick();

    // True while the marking progress runs: the window must not go away then.
    bool busy() const { return busy_; }
    const PaperAttempt& attempt() const { return *attempt_; }
    // "1" while the window is the active window, "0" otherwise.
    QString focusFlag() const;

    // State other code and the tests read, as text like the controls.
    QString QSCount = QStringLiteral("1");
    QString Status = QStringLiteral("0");
    QString TopicCount;
    bool answerSheetShown = true;
    PressTrack* txtPressTrack = nullptr;

signals:
    void unloaded();

protected:
    // The rows of the current question.
    virtual std::vector<SheetPart> SheetParts() const;
    // What the marked paper shows.
    virtual void ShowMarkedState();
    // Runs the clock; the second attempt has none.
    virtual void TickClock();
    // Sets the score and time labels from the model after loading.
    virtual void ShowStoredResults();

    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

    PracticeChrome& chrome() { return *chrome_; }
    AnswerSheet& sheet() { return *AnsBox; }
    PaperAttempt& model() { return *attempt_; }
    PracticeServices& services() { return services_; }
    const ResourceSource& resources() const { return services_.resources; }

private:
    void BuildToolbarLooks();
    void WireButtons();
    void FillSheet();
    void ShowCurrentPage();
    void FillRemainingList();
    void ShowProblem(const std::string& words);
    void Layout();
    void OnPageKey(bool ctrl, int key);
    void OnPageMouse(int button);

    std::unique_ptr<PaperAttempt> attempt_;
    PracticeServices services_;
    SkinFrame* frame_ = nullptr;
    std::unique_ptr<PracticeChrome> chrome_;
    PageBrowser* brwWebBrowser = nullptr;
    AnswerSheet* AnsBox = nullptr;
    QTimer* Timer1 = nullptr;
    QElapsedTimer clock_;
    bool busy_ = false;
    bool unloading_ = false;
    QPointer<PracticeWindow> self_;

    std::array<ButtonPictures, PracticeChrome::kButtons> looks_;
};

}  // namespace qv
