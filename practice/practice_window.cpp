#include "practice/practice_window.h"

#include <QCloseEvent>
#include <QDate>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QGuiApplication>
#include <QLocale>
#include <QScreen>
#include <QScrollBar>
#include <QStandardPaths>

#include "practice/answer_words.h"
#include "practice/mark_progress.h"
#include "practice/marking.h"
#include "practice/page_browser.h"
#include "practice/practice_keys.h"
#include "practice/question_text.h"
#include "practice/wrong_reason.h"
#include "ui/record_text.h"
#include "ui/skin_frame.h"
#include "ui/units.h"

namespace qv {

namespace {

constexpr const char* kPictureStems[] = {"save", "mark", "print", "close", "back", "forward"};
enum Button { kPrint = 2, kClose = 3 };

QString Words(const std::string& utf8) { return QString::fromStdString(utf8); }

QString ChoosePdfFile(QWidget* owner) {
    QString folder = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    if (folder.isEmpty()) folder = QDir::homePath();
    return QFileDialog::getSaveFileName(owner, QStringLiteral("Save the question as a PDF file"),
                                        QDir(folder).filePath(QStringLiteral("question.pdf")),
                                        QStringLiteral("PDF files (*.pdf)"));
}

}  // namespace

PracticeWindow::PracticeWindow(const QString& name, std::unique_ptr<PaperAttempt> attempt,
                               PracticeServices services, bool secondAttempt, QWidget* parent)
    : QWidget(parent), attempt_(std::move(attempt)), services_(std::move(services)), self_(this) {
    setObjectName(name);
    setWindowTitle(secondAttempt ? QStringLiteral("Try Again") : QStringLiteral("Practice"));
    setAutoFillBackground(true);
    QPalette palette = this->palette();
    palette.setColor(QPalette::Window, QColor(244, 245, 235));
    setPalette(palette);
    frame_ = new SkinFrame(this, services_.pictures, SkinFrame::Kind::Practice, &services_.cursor);
    frame_->Title->setText(windowTitle());
    chrome_ = std::make_unique<PracticeChrome>(this, services_.pictures, secondAttempt);
    brwWebBrowser = new PageBrowser(this);
    AnsBox = new AnswerSheet(services_.pictures, secondAttempt, this);
    txtPressTrack = new PressTrack(this);
    Timer1 = new QTimer(this);
    Timer1->setObjectName(QStringLiteral("Timer1"));
    Timer1->setInterval(100);
    connect(Timer1, &QTimer::timeout, this, &PracticeWindow::Tick);
    BuildToolbarLooks();
    WireButtons();
    setMinimumSize(TwipsToPixels(7300), TwipsToPixels(5000));
    MakePracticeWindowKeyboardReady(this, [this] { Tick(); });
}

PracticeWindow::~PracticeWindow() = default;

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
        txtPressTrack->Watch(c.toolBar[i]);
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
        const bool copy = input.kind == PageInput::Kind::Key &&
                          (input.copies || (input.ctrl && (input.keyCode == 88 || input.keyCode == 67)));
        const bool menu = input.kind == PageInput::Kind::ContextMenu ||
                          (input.kind == PageInput::Kind::Mouse && input.button == 2);
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
    TopicCount = QString::number(context.topicFirstPaper);

    LoadOutcome outcome = attempt_->Load(services_.resources, context);
    if (!outcome.ok()) return outcome;

    const QString caption = FromRecord(attempt_->Caption());
    setWindowTitle(caption);
    frame_->Title->setText(caption);
    QSCount = QString::number(attempt_->currentQuestion());
    chrome_->QnTitle->setText(QStringLiteral("Question ") + QSCount);
    ShowCurrentPage();
    FillSheet();
    Status = QString::fromStdString(attempt_->Status());
    ShowStoredResults();
    FillRemainingList();
    if (attempt_->marked()) ShowMarkedState();
    answerSheetShown = true;
    clock_.start();
    Timer1->start();
    chrome_->lblTotalQ->setText(QString::number(attempt_->totalParts()));
    if (chrome_->lblDate) chrome_->lblDate->setText(QLocale().toString(QDate::currentDate(), QLocale::ShortFormat));
    Layout();
    brwWebBrowser->verticalScrollBar()->setValue(0);
    AnsBox->FocusFirstField();
    Tick();
    return outcome;
}

std::vector<SheetPart> PracticeWindow::SheetParts() const {
    const PaperAttempt& a = *attempt_;
    const int question = a.currentQuestion();
    const int offset = a.PartOffset(question);
    const int count = std::min(a.PartCount(question), AnswerSheet::kRows);
    std::vector<SheetPart> parts;
    Fields boxWords;
    bool boxRead = false;
    for (int r = 0; r < count; ++r) {
        const auto part = static_cast<std::size_t>(offset + r);
        SheetPart row;
        row.answer = part < a.answers().size() ? a.answers()[part] : std::string();
        row.key = a.PartKey(offset + r);
        row.type = a.PartType(offset + r);
        row.result = part < a.partResults().size() ? a.partResults()[part] : std::string();
        row.showResult = a.marked();
        if (a.marked() && row.result == kCross) {
            if (!boxRead) boxWords = PlacedBoxWordsOf(services_.resources, a.paper(), question);
            boxRead = true;
            row.reason = PaperPartReason(a.answers(), a.paper().answerKey, a.paper().answerTypes, part, boxWords,
                                         ModelAnswerShown::No);
        }
        parts.push_back(std::move(row));
    }
    return parts;
}

void PracticeWindow::FillSheet() {
    const std::vector<SheetPart> parts = SheetParts();
    AnsBox->Fill(parts);
    DescribeAnswerFields(*AnsBox, parts);
}

void PracticeWindow::ShowCurrentPage() {
    const PageOutcome page = attempt_->ExtractCurrentPage(services_.resources);
    // The page area says so when a question cannot be shown, never the last page.
    brwWebBrowser->Navigate(page.ok() ? QString::fromStdU16String(page.file.u16string()) : QString());
    brwWebBrowser->verticalScrollBar()->setValue(0);
}

void PracticeWindow::FillRemainingList() {
    QComboBox* list = chrome_->RemQns;
    const QSignalBlocker quiet(list);
    list->clear();
    for (int question : attempt_->remainingQuestions()) list->addItem(QString::number(question));
}

void PracticeWindow::ShowStoredResults() {
    chrome_->ShowScore(FromRecord(attempt_->scoreText()));
    chrome_->Scoring->setText(FromRecord(attempt_->rawScoreText()));
    if (chrome_->LTime) chrome_->LTime->setText(FromRecord(attempt_->timeTaken()));
    if (chrome_->ETime) chrome_->ETime->setText(FromRecord(attempt_->dateCompleted()));
}

void PracticeWindow::ShowProblem(const std::string& words) {
    services_.ask(QStringLiteral("Quorvale"), Words(words), 1, this);
}

void PracticeWindow::GoToQuestion(int target) {
    if (busy_ || unloading_) return;
    const WriteOutcome saved = attempt_->GoToQuestion(target, AnsBox->Answers());
    QSCount = QString::number(attempt_->currentQuestion());
    chrome_->QnTitle->setText(QStringLiteral("Question ") + QSCount);
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
    const WriteOutcome saved = attempt_->Save();
    if (saved.ok()) services_.ask(QStringLiteral("Quorvale"), QStringLiteral("Paper saved"), 1, this);
    else ShowProblem(saved.message);
}

void PracticeWindow::MarkPaper() {
    if (busy_ || unloading_) return;
    if (attempt_->marked()) {
        ShowMarkedState();
        return;
    }
    attempt_->StoreCurrentAnswers(AnsBox->Answers());
    const WriteOutcome saved = attempt_->Save();
    if (!saved.ok()) {
        ShowProblem(saved.message);
        return;
    }
    const std::string_view question = attempt_->MarkingConfirmation();
    if (!services_.ask(QString::fromLatin1(kMarkingTitle.data(), static_cast<int>(kMarkingTitle.size())),
                       QString::fromLatin1(question.data(), static_cast<int>(question.size())), 2, this)) {
        return;
    }
    busy_ = true;
    Tick();
    MarkProgress progress(chrome_->fmeMark, chrome_->imgBar);
    const QPointer<PracticeWindow> alive(this);
    if (!progress.Run(services_.markingStep, [alive] { return !alive.isNull(); })) return;
    busy_ = false;
    const auto elapsed = std::chrono::seconds(clock_.elapsed() / 1000);
    const std::string date = ToRecord(QLocale().toString(QDate::currentDate(), QLocale::ShortFormat));
    const MarkOutcome marked = attempt_->Mark(elapsed, date);
    if (marked.marked) {
        Status = QString::fromStdString(attempt_->Status());
        ShowStoredResults();
        ShowMarkedState();
    }
    if (!marked.problems.empty()) {
        QStringList words;
        for (const std::string& problem : marked.problems) words << Words(problem);
        services_.ask(QStringLiteral("Quorvale"), words.join(QStringLiteral("\n\n")), 1, this);
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

void PracticeWindow::PrintQuestion() {
    if (busy_ || unloading_) return;
    const PrintStatus status = brwWebBrowser->PrintPage(this);
    if (status != PrintStatus::NoPrinter) return;
    // Without a printer the page can still be kept, as a PDF file.
    const QString offer = PageBrowser::DescribePrintStatus(status) +
                          QStringLiteral(" Would you like to save it as a PDF file instead?");
    if (!services_.ask(QStringLiteral("Print"), offer, 2, this)) return;
    const QString file = services_.choosePdfFile ? services_.choosePdfFile(this) : ChoosePdfFile(this);
    if (file.isEmpty()) return;
    const QString problem = brwWebBrowser->SaveAsPdf(file);
    const QString shown = QDir::toNativeSeparators(QFileInfo(file).absoluteFilePath());
    services_.ask(QStringLiteral("Print"),
                  problem.isEmpty() ? QStringLiteral("The question has been saved in %1.").arg(shown)
                                    : QStringLiteral("The question could not be saved in %1 (%2).").arg(shown, problem),
                  1, this);
}

void PracticeWindow::ClosePractice() {
    if (busy_ || unloading_) return;
    if (!services_.ask(QStringLiteral("Close Practice"), QStringLiteral("Confirm?"), 2, this)) return;
    // A window whose answers could not be written stays open, so they are not lost.
    if (KeepAnswers()) Unload();
}

bool PracticeWindow::KeepAnswers() {
    if (busy_ || unloading_ || attempt_->marked()) return true;
    attempt_->StoreCurrentAnswers(AnsBox->Answers());
    const WriteOutcome saved = attempt_->Save();
    if (!saved.ok()) ShowProblem(saved.message);
    return saved.ok();
}

void PracticeWindow::Unload() {
    if (unloading_) return;
    unloading_ = true;
    Timer1->stop();
    attempt_->RemovePage();
    hide();
    emit unloaded();
    if (services_.refreshContents) services_.refreshContents();
    deleteLater();
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
    answerSheetShown = !answerSheetShown;
    chrome_->ImgHandle->setToolTip(answerSheetShown ? QStringLiteral("Hide answer sheet")
                                                    : QStringLiteral("Show answer sheet"));
    Layout();
}

// The frame lays itself out on every resize; the content follows it.
void PracticeWindow::Layout() {
    chrome_->Layout(*frame_, brwWebBrowser, AnsBox, answerSheetShown);
}

void PracticeWindow::OnPageKey(bool ctrl, int key) {
    if (ctrl && (key == 88 || key == 67)) services_.inform(QStringLiteral("Error"), QStringLiteral("Invalid operation"), this);
}

void PracticeWindow::OnPageMouse(int button) {
    if (button == 2) services_.inform(QStringLiteral("Error"), QStringLiteral("Invalid operation"), this);
}

QString PracticeWindow::focusFlag() const { return frame_->focusFlag(); }

void PracticeWindow::TickClock() {
    if (chrome_->lblClock) {
        chrome_->lblClock->setText(QString::fromStdString(FormatElapsed(std::chrono::seconds(clock_.elapsed() / 1000))));
    }
}

void PracticeWindow::Tick() {
    const QPoint cursor = services_.cursor.Pos();
    const bool open = !attempt_->marked();
    const std::array<bool, PracticeChrome::kButtons> available = {
        open, open, true, true, attempt_->CanGoBack(), attempt_->CanGoNext()};
    for (int i = 0; i < PracticeChrome::kButtons; ++i) {
        EvaluateToolbarButton(*chrome_->toolBar[i], cursor, txtPressTrack->isDown(), available[i] && !busy_, looks_[i]);
    }
    TickClock();
    chrome_->lblAnsweredQ->setText(QString::number(attempt_->AnsweredCount()));
    frame_->EvaluateWindowButtons(cursor);
}

}  // namespace qv
