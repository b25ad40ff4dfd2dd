#include "practicewindow/practice_window.h"

#include <QCloseEvent>
#include <QDialog>
#include <QDate>
#include <QGuiApplication>
#include <QLocale>
#include <QScreen>
#include <QScrollBar>

#include "practice/marking.h"
#include "practice/second_attempt.h"
#include "practicewindow/answer_words.h"
#include "practicewindow/mark_progress.h"
#include "practicewindow/page_browser.h"
#include "practicewindow/practice_keys.h"
#include "ui/hover_ticker.h"
#include "ui/record_text.h"
#include "ui/skin_frame.h"
#include "ui/units.h"

namespace qv {

namespace {

constexpr const char* kPictureStems[] = {"save", "mark", "print", "close", "back", "forward"};
enum Button { kPrint = 2, kClose = 3 };

QString Words(const std::string& utf8) { return QString::fromStdString(utf8); }

// Ctrl+C and Ctrl+X, as the page's keys report them.
bool IsCopyOrCut(bool ctrl, int key) { return ctrl && (key == Qt::Key_C || key == Qt::Key_X); }

// The date in the system's short form, unless the results files cannot hold
// that form (digits of another script): then as year-month-day.
std::string RecordDate(const QDate& date) {
    if (auto shown = Utf8ToCp1252(QLocale().toString(date, QLocale::ShortFormat).toStdString())) return *shown;
    return date.toString(Qt::ISODate).toStdString();
}

}  // namespace

PracticeWindow::PracticeWindow(Attempt which, PracticeServices services, QWidget* parent)
    : QWidget(parent), which_(which), attempt_(NewAttempt(which)), services_(std::move(services)), self_(this) {
    const bool second = which_ == Attempt::Second;
    setObjectName(second ? QStringLiteral("Test2") : QStringLiteral("Test1"));
    setWindowTitle(second ? QStringLiteral("Try Again") : QStringLiteral("Practice"));
    setAutoFillBackground(true);
    QPalette palette = this->palette();
    palette.setColor(QPalette::Window, QColor(244, 245, 235));
    setPalette(palette);
    frame_ = new SkinFrame(this, services_.pictures, SkinFrame::Kind::Practice, &services_.cursor);
    frame_->Title->setText(windowTitle());
    chrome_ = std::make_unique<PracticeChrome>(this, services_.pictures, which_);
    brwWebBrowser = new PageBrowser(this);
    AnsBox = new AnswerSheet(services_.pictures, which_, this);
    pressTrack_ = new PressTrack(this);
    Timer1 = new QTimer(this);
    Timer1->setObjectName(QStringLiteral("Timer1"));
    Timer1->setInterval(100);
    connect(Timer1, &QTimer::timeout, this, &PracticeWindow::Tick);
    hover_ = new HoverTicker(this, Timer1, services_.cursor);
    clockTimer_ = new QTimer(this);
    clockTimer_->setSingleShot(true);
    connect(clockTimer_, &QTimer::timeout, this, &PracticeWindow::RunClock);
    BuildToolbarLooks();
    WireButtons();
    setMinimumSize(TwipsToPixels(7300), TwipsToPixels(5000));
    MakePracticeWindowKeyboardReady(this, [this] { Tick(); });
}

// A move's save still being written ends before the window it reports to goes.
PracticeWindow::~PracticeWindow() { attempt_->FinishWrites(); }

void PracticeWindow::BuildToolbarLooks() {
    for (int i = 0; i < PracticeChrome::kButtons; ++i) {
        // Print and Close are always there: they have no disabled picture.
        looks_[i] = ButtonPictures::Named(QString::fromLatin1(kPictureStems[i]), i != kPrint && i != kClose);
    }
}

void PracticeWindow::WireButtons() {
    PracticeChrome& c = *chrome_;
    const std::array<std::function<void()>, PracticeChrome::kButtons> actions = {
        [this] { SavePaper(); },    [this] { MarkPaper(); },        [this] { PrintQuestion(); },
        [this] { ClosePractice(); }, [this] { PreviousQuestion(); }, [this] { NextQuestion(); }};
    for (int i = 0; i < PracticeChrome::kButtons; ++i) {
        connect(c.toolBar[i], &PictureButton::clicked, this, actions[i]);
        pressTrack_->Watch(c.toolBar[i]);
    }
    connect(c.RemQns, &QComboBox::activated, this, [this](int index) {
        bool ok = false;
        const int target = chrome_->RemQns->itemText(index).toInt(&ok);
        if (ok) GoToQuestion(target);
    });
    // Enter after the last answer of a question goes on to the next question.
    connect(AnsBox, &AnswerSheet::finished, this, [this] {
        if (attempt_->CanGoNext()) NextQuestion();
    });
    connect(c.ImgHandle, &ClickableLabel::clicked, this, &PracticeWindow::ToggleAnswerSheet);
    connect(frame_->imgProgClose, &PictureButton::clicked, this, &PracticeWindow::ClosePractice);
    connect(frame_->imgProgMin, &PictureButton::clicked, this, &QWidget::showMinimized);
    connect(frame_, &SkinFrame::laidOut, this, &PracticeWindow::Layout);
    // The page refuses copying and its context menu; the window says why.
    brwWebBrowser->setGuard([](const PageInput& input) {
        const bool copy = input.kind == PageInput::Kind::Key && (input.copies || IsCopyOrCut(input.ctrl, input.keyCode));
        const bool menu = input.kind == PageInput::Kind::ContextMenu ||
                          (input.kind == PageInput::Kind::Mouse && input.button == Qt::RightButton);
        return copy || menu ? PageVerdict::Refuse : PageVerdict::Allow;
    });
    connect(brwWebBrowser, &PageBrowser::keyDown, this, &PracticeWindow::OnPageKey);
    connect(brwWebBrowser, &PageBrowser::mouseDown, this, &PracticeWindow::OnPageMouse);
}

LoadOutcome PracticeWindow::Open(const PaperContext& context) {
    // Placed from the bottom-right corner of the screen, as far as it fits.
    const QScreen* screen = QGuiApplication::primaryScreen();
    const QRect area = screen ? screen->availableGeometry() : QRect(0, 0, 1024, 768);
    const int width = std::min(TwipsToPixels(12000), area.width());
    const int height = std::min(TwipsToPixels(9000), area.height());
    setGeometry(std::max(area.left(), area.left() + area.width() - TwipsToPixels(12500)),
                std::max(area.top(), area.top() + area.height() - TwipsToPixels(10000)), width, height);

    LoadOutcome outcome = attempt_->Load(services_.resources, context);
    if (!outcome.ok()) return outcome;
    // A move shows the next question at once; a save that then fails is told here.
    // A Save made meanwhile has told its own outcome, and written what the move would have.
    attempt_->WriteMovesInBackground([this](const WriteOutcome& failed) {
        QMetaObject::invokeMethod(
            this, [this, message = failed.message, saves = saves_.load()] {
                if (!unloading_ && saves == saves_.load()) ShowProblem(message);
            },
            Qt::QueuedConnection);
    });

    const QString caption = FromRecord(attempt_->Caption());
    setWindowTitle(caption);
    frame_->Title->setText(caption);
    ShowQuestionTitle();
    ShowCurrentPage();
    FillSheet();
    ShowStoredResults();
    FillRemainingList();
    if (attempt_->marked()) ShowMarkedState();
    answerSheetShown_ = true;
    clock_.start();
    hover_->Start();
    RunClock();
    chrome_->lblTotalQ->setText(QString::number(attempt_->totalParts()));
    if (chrome_->lblDate) chrome_->lblDate->setText(QLocale().toString(QDate::currentDate(), QLocale::ShortFormat));
    Layout();
    brwWebBrowser->verticalScrollBar()->setValue(0);
    AnsBox->FocusFirstField();
    Tick();
    return outcome;
}

void PracticeWindow::FillSheet() {
    const std::vector<SheetPart> parts = attempt_->SheetParts(services_.resources);
    AnsBox->Fill(parts);
    DescribeAnswerFields(*AnsBox, parts);
}

void PracticeWindow::ShowQuestionTitle() {
    chrome_->QnTitle->setText(QStringLiteral("Question %1").arg(attempt_->currentQuestion()));
}

void PracticeWindow::ShowCurrentPage() {
    const PageOutcome page = attempt_->CurrentPage(services_.resources);
    // The page area says so when a question cannot be shown, never the last page.
    [[maybe_unused]] const PageStatus shown = brwWebBrowser->Show(page.archive);
    brwWebBrowser->verticalScrollBar()->setValue(0);
}

void PracticeWindow::FillRemainingList() {
    QComboBox* list = chrome_->RemQns;
    const std::vector<int>& remaining = attempt_->remainingQuestions();
    bool same = list->count() == static_cast<int>(remaining.size());
    for (int i = 0; same && i < list->count(); ++i) same = list->itemText(i) == QString::number(remaining[i]);
    const QSignalBlocker quiet(list);
    if (same) {  // kept as it is, showing its first entry as a refilled list does
        list->setCurrentIndex(list->count() > 0 ? 0 : -1);
        return;
    }
    list->clear();
    for (int question : remaining) list->addItem(QString::number(question));
}

void PracticeWindow::ShowStoredResults() {
    chrome_->ShowScore(ShownFigure(attempt_->scoreText()));
    chrome_->Scoring->setText(FromRecord(attempt_->rawScoreText()));
    if (chrome_->LTime) chrome_->LTime->setText(FromRecord(attempt_->timeTaken()));
    if (chrome_->ETime) chrome_->ETime->setText(FromRecord(attempt_->dateCompleted()));
}

WriteOutcome PracticeWindow::SaveAnswers() {
    const WriteOutcome saved = attempt_->Save();  // the moves' writes end first
    ++saves_;
    return saved;
}

void PracticeWindow::GoToQuestion(int target) {
    if (busy_ || unloading_) return;
    const WriteOutcome saved = attempt_->GoToQuestion(target, AnsBox->Answers());
    ShowQuestionTitle();
    FillSheet();
    ShowCurrentPage();
    FillRemainingList();
    AnsBox->FocusFirstField();
    if (!saved.ok()) ShowProblem(saved.message);
}

void PracticeWindow::NextQuestion() { GoToQuestion(attempt_->currentQuestion() + 1); }
void PracticeWindow::PreviousQuestion() { GoToQuestion(attempt_->currentQuestion() - 1); }

void PracticeWindow::SavePaper() {
    if (busy_ || unloading_ || attempt_->marked()) return;
    attempt_->StoreCurrentAnswers(AnsBox->Answers());
    const WriteOutcome saved = SaveAnswers();
    if (saved.ok()) Ask(QStringLiteral("Quorvale"), QStringLiteral("Paper saved"), PopUpButtons::Ok);
    else ShowProblem(saved.message);
}

void PracticeWindow::MarkPaper() {
    if (busy_ || unloading_) return;
    if (attempt_->marked()) {
        ShowMarkedState();
        return;
    }
    attempt_->StoreCurrentAnswers(AnsBox->Answers());
    const WriteOutcome saved = SaveAnswers();
    if (!saved.ok()) {
        ShowProblem(saved.message);
        return;
    }
    const std::string_view question = attempt_->MarkingConfirmation();
    if (!Ask(QString::fromLatin1(kMarkingTitle.data(), static_cast<int>(kMarkingTitle.size())),
             QString::fromLatin1(question.data(), static_cast<int>(question.size())), PopUpButtons::YesNo) ||
        unloading_) {
        return;
    }
    busy_ = true;
    Tick();
    MarkProgress progress(chrome_->fmeMark, chrome_->imgBar);
    const QPointer<PracticeWindow> alive(this);
    // The time taken ends with the display, even when a message of the main
    // window held the display up meanwhile.
    const qint64 ends = clock_.elapsed() + progress.Duration(services_.markingStep).count();
    if (!progress.Run(services_.markingStep, [alive] { return !alive.isNull(); })) return;
    busy_ = false;
    const auto elapsed = std::chrono::seconds(std::min(clock_.elapsed(), ends) / 1000);
    const std::string date = RecordDate(QDate::currentDate());
    const MarkOutcome marked = attempt_->Mark(elapsed, date);
    if (marked.marked) {
        ShowStoredResults();
        ShowMarkedState();
    }
    emit markingEnded();
    if (!marked.problems.empty()) {
        QStringList words;
        for (const std::string& problem : marked.problems) words << Words(problem);
        Ask(QStringLiteral("Quorvale"), words.join(QStringLiteral("\n\n")), PopUpButtons::Ok);
    }
    Tick();
}

void PracticeWindow::ShowMarkedState() {
    AnsBox->SetLocked(true);
    chrome_->TxtRem->hide();
    FillSheet();
    if (chrome_->lblClock) {
        chrome_->lblClock->hide();
        chrome_->LTime->show();
        chrome_->lblDate->hide();
        chrome_->ETime->show();
    }
}

void PracticeWindow::ClosePractice() {
    if (busy_ || unloading_) return;
    if (!Ask(QStringLiteral("Close Practice"), QStringLiteral("Confirm?"), PopUpButtons::YesNo)) return;
    // A window whose answers could not be written stays open, so they are not lost.
    if (KeepAnswers()) Unload();
}

bool PracticeWindow::KeepAnswers() {
    if (busy_ || unloading_ || attempt_->marked()) return true;
    attempt_->StoreCurrentAnswers(AnsBox->Answers());
    const WriteOutcome saved = SaveAnswers();
    if (!saved.ok()) ShowProblem(saved.message);
    return saved.ok();
}

void PracticeWindow::Unload() {
    if (unloading_) return;
    unloading_ = true;
    // Every move's save is on the disk before the results are erased or another paper opens.
    attempt_->FinishWrites();
    hover_->Stop();
    clockTimer_->stop();
    hide();
    emit unloaded();
    if (services_.refreshHomePage) services_.refreshHomePage();
    // A window that is asking something goes once its question has ended:
    // the question is ended now, as the pupil's Esc would end it.
    if (asking_ > 0) {
        goneAfterAsking_ = true;
        for (QDialog* dialog : findChildren<QDialog*>()) dialog->reject();
    } else {
        deleteLater();
    }
}

void PracticeWindow::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    // Laid out at its shown size, a page begins at its top.
    if (!event->spontaneous()) brwWebBrowser->verticalScrollBar()->setValue(0);
}

void PracticeWindow::closeEvent(QCloseEvent* event) {
    // A close asked for by the system goes through the same question.
    if (!unloading_) {
        event->ignore();
        ClosePractice();
        return;
    }
    QWidget::closeEvent(event);
}

void PracticeWindow::ToggleAnswerSheet() {
    answerSheetShown_ = !answerSheetShown_;
    chrome_->ImgHandle->setToolTip(answerSheetShown_ ? QStringLiteral("Hide answer sheet")
                                                    : QStringLiteral("Show answer sheet"));
    Layout();
}

// The frame lays itself out on every resize; the content follows it.
void PracticeWindow::Layout() {
    chrome_->Layout(*frame_, brwWebBrowser, AnsBox, answerSheetShown_);
}

void PracticeWindow::OnPageKey(bool ctrl, int key) {
    if (IsCopyOrCut(ctrl, key)) Inform();
}

void PracticeWindow::OnPageMouse(Qt::MouseButton button) {
    if (button == Qt::RightButton) Inform();
}

bool PracticeWindow::looksActive() const { return frame_->active(); }

void PracticeWindow::TickClock() {
    if (chrome_->lblClock) {
        chrome_->lblClock->setText(QString::fromStdString(FormatElapsed(std::chrono::seconds(clock_.elapsed() / 1000))));
    }
}

// The clock shows whole seconds: it is brought up to date just after each
// second begins, for as long as the paper is being worked on.
void PracticeWindow::RunClock() {
    TickClock();
    if (unloading_ || attempt_->marked() || !chrome_->lblClock) return;
    clockTimer_->start(static_cast<int>(1000 - clock_.elapsed() % 1000) + 1);
}

void PracticeWindow::Tick() {
    const QPoint cursor = services_.cursor.Pos();
    const bool open = !attempt_->marked();
    const std::array<bool, PracticeChrome::kButtons> available = {
        open, open, true, true, attempt_->CanGoBack(), attempt_->CanGoNext()};
    for (int i = 0; i < PracticeChrome::kButtons; ++i) {
        EvaluateToolbarButton(*chrome_->toolBar[i], cursor, pressTrack_->isDown(), available[i] && !busy_, looks_[i]);
    }
    TickClock();
    chrome_->lblAnsweredQ->setText(QString::number(attempt_->AnsweredCount()));
    frame_->EvaluateWindowButtons(cursor);
}

}  // namespace qv
