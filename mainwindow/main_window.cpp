#include "mainwindow/main_window.h"

#include <algorithm>
#include <utility>

#include "course/results_store.h"
#include "mainwindow/about_page.h"
#include "mainwindow/home_page.h"
#include "course/navigation.h"
#include "mainwindow/main_keys.h"
#include "mainwindow/mistakes_printing.h"
#include "mainwindow/page_kit.h"
#include "mainwindow/report_page.h"
#include "mainwindow/results_printing.h"
#include "mainwindow/tab_bar.h"
#include "mainwindow/toolbar.h"
#include "mainwindow/trash_page.h"
#include "report/module_report.h"
#include "ui/hover_ticker.h"
#include "ui/picture_button.h"
#include "ui/pop_up.h"
#include "ui/record_text.h"
#include "ui/strip_colour.h"
#include "ui/units.h"

namespace qv {

namespace {

// The words the home page shows when there is nothing to practise.
QString NoCourseWords(const ConfigLoad& configuration) {
    if (configuration.available) {
        return QStringLiteral("The course in this copy of the program has no modules, so there is nothing to "
                              "practise yet.");
    }
    QStringList words;
    for (const std::string& problem : configuration.problems) words << QString::fromStdString(problem);
    if (words.isEmpty()) words << QStringLiteral("The course could not be read, so there is nothing to practise.");
    return words.join(QLatin1Char(' '));
}

// Score of paper `paper` (1-based) in a list of the marks file, as stored.
RecordText ScoreOf(const std::vector<std::string>& list, int paper) {
    if (paper < 1 || paper > static_cast<int>(list.size())) return {};
    return list[static_cast<std::size_t>(paper - 1)];
}

}  // namespace

MainWindow::MainWindow(const StartupData& startup, QString workDir, PictureCache& pictures,
                       const CursorSource& cursor, QWidget* parent)
    : QWidget(parent), pictures_(pictures), cursor_(cursor), workDir_(std::move(workDir)) {
    setObjectName(QStringLiteral("Contents"));
    Fill(this, kStripColour);
    if (startup.configuration.available) config_ = startup.configuration.config;

    LoadMainPictures();
    setGeometry(TwipsToPixels(60), TwipsToPixels(60), TwipsToPixels(6070), TwipsToPixels(7380));
    frame_ = new SkinFrame(this, pictures_, SkinFrame::Kind::Main);

    tabBar_ = new TabBar(this, pictures_);
    toolbar_ = new Toolbar(tabBar_->strip(), pictures_);
    home_ = new HomePage(this, pictures_);
    trash_ = new TrashPage(this, pictures_);
    pages_ = {home_, trash_};
    printing_ = new ResultsPrinting(this);
    printing_->ask = [this](const QString& title, const QString& message, PopUpButtons buttons, QWidget* owner) {
        return Ask(title, message, buttons, owner);
    };

    connect(tabBar_, &TabBar::tabClicked, this, &MainWindow::SelectTab);
    connect(toolbar_, &Toolbar::clicked, this, &MainWindow::RunToolbarCommand);
    connect(toolbar_, &Toolbar::pressed, this, [this] { toolbarPressed_ = true; });
    connect(toolbar_, &Toolbar::released, this, [this] { toolbarPressed_ = false; });
    connect(home_, &HomePage::topicClicked, this, &MainWindow::SelectTopic);
    connect(home_, &HomePage::paperClicked, this, &MainWindow::RequestPaper);
    connect(trash_, &TrashPage::eraseConfirmed, this, &MainWindow::EraseConfirmed);
    mistakes_ = new MistakesPrinting(this);
    mistakes_->ask = printing_->ask;

    // Captions from the configuration.
    const QString title = config_.title.empty() ? QStringLiteral("Quorvale Practice") : FromRecord(config_.title);
    setWindowTitle(title);
    frame_->Title->setText(title);
    programName_ = title;
    tabBar_->SetCaptions(config_);

    tabBar_->Arrange(config_);
    frame_->Layout();
    RaiseBorders();
    connect(frame_->imgProgClose, &PictureButton::clicked, this, &MainWindow::CloseProgram);
    connect(frame_->imgProgMin, &PictureButton::clicked, this, &QWidget::showMinimized);
    MakeMainWindowKeyboardReady(this);

    Timer1 = new QTimer(this);
    Timer1->setObjectName(QStringLiteral("Timer1"));
    Timer1->setInterval(100);
    connect(Timer1, &QTimer::timeout, this, &MainWindow::Tick);
    hover_ = new HoverTicker(this, Timer1, cursor_);
    hover_->Start();

    const int slot = config_.firstConfiguredSlot();
    if (slot == 0) {
        home_->ShowNoCourse(NoCourseWords(startup.configuration));
        PlacePage(home_);
        selectedTab_ = kHelpTab;
        tabBar_->Select(kHelpTab);
        Tick();
        return;
    }
    moduleSlot_ = slot;
    selectedTab_ = slot;
    // Shows the module's home page, its marks read once.
    SelectTab(slot);
    toolbarCommand_ = 1;
    reportSection_ = 1;
    topicFirstPaper_ = 1;
    Tick();
}

// The pieces are destroyed after this object; what they say on the way (the
// frame hears the window lose activation) must no longer reach it.
MainWindow::~MainWindow() {
    for (QObject* child : children()) disconnect(child, nullptr, this, nullptr);
    disconnect(toolbar_, nullptr, this, nullptr);  // it lies on the tab strip
}

void MainWindow::LoadMainPictures() {
    // The frame pieces load their own pictures; the rest are loaded with the pages.
    const QPixmap& icon = pictures_.Get(QStringLiteral("QVicon.ico"));
    if (!icon.isNull()) setWindowIcon(QIcon(icon));
}

// Notices ------------------------------------------------------------------

QStringList MainWindow::TakeNotices() {
    noticesTaken_ = true;
    return std::exchange(pendingNotices_, {});
}

void MainWindow::TellOnce(const QString& source, const QString& words) {
    if (told_.value(source) == words) return;
    told_.insert(source, words);
    if (!noticesTaken_) {
        if (!pendingNotices_.contains(words)) pendingNotices_ << words;
        return;
    }
    Ask(QStringLiteral("Quorvale"), words, PopUpButtons::Ok, this);
}

// Home page ---------------------------------------------------------------

void MainWindow::LoadModule() {
    const int slot = moduleSlot_;
    if (slot >= 1 && slot <= kSlotCount) {
        const ModuleConfig& module = config_.module(slot);
        topicCount_ = module.topicCount;
        paperCount_ = module.paperCount;
        topicNames_ = module.topicNames;
    }
    const auto marksFile = ResultFilePath(ToPath(workDir_), ResultKind::Marks, slot, courseCode());
    auto marks = ReadModuleMarks(marksFile, paperCount_);
    marks_ = std::move(marks.value);
    home_->ShowTopics(topicNames_, topicCount_);
    if (!refreshing_) SelectTopic(1);

    const QString source = QString::fromStdU16String(marksFile.u16string());
    if (marks.ok()) {
        told_.remove(source);
    } else {
        TellOnce(source, QString::fromStdString(DescribeIoStatus(marks.status, marksFile)));
    }
}

void MainWindow::SelectTopic(int k) {
    topicFirstPaper_ = FirstPaperOfTopic(k);
    ShowTopicPapers(topicFirstPaper_);
    HighlightTopic(home_->topic(k));
}

void MainWindow::ShowTopicPapers(int firstPaper) {
    std::array<RecordText, kPapersPerTopic> first, second;
    for (int offset = 0; offset < kPapersPerTopic; ++offset) {
        const int paper = PaperNumber(firstPaper, offset);
        first[offset] = ScoreOf(marks_.firstScores, paper);
        second[offset] = ScoreOf(marks_.secondScores, paper);
    }
    const int topic = TopicOfFirstPaper(firstPaper);
    const QString heading =
        topic >= 1 && topic <= static_cast<int>(topicNames_.size()) ? FromRecord(topicNames_[topic - 1]) : QString();
    home_->ShowPapers(heading, first, second);
}

void MainWindow::HighlightTopic(QLabel* selected) { home_->Highlight(selected); }

void MainWindow::RequestPaper(int offset, Attempt attempt) {
    emit paperRequested(PaperRequest{kPaperKeyOffset + PaperNumber(topicFirstPaper_, offset), attempt});
}

void MainWindow::RefreshHomePage() {
    refreshing_ = true;
    LoadModule();
    const int topic = TopicOfFirstPaper(topicFirstPaper_);
    if (topic >= 1) SelectTopic(topic);
    refreshing_ = false;
    // A report on show follows the paper just closed too. Only the report: the
    // toolbar's last command may have been Print or Close, not to be run again.
    if (report_ && report_->isVisible()) {
        RefreshReport();
        report_->ShowSection(reportSection_);
    }
}

// Report page --------------------------------------------------------------

void MainWindow::RefreshReport() {
    const int slot = moduleSlot_;
    if (slot < 1 || slot > kSlotCount) return;
    const auto workDir = ToPath(workDir_);
    const ModuleReport report = LoadModuleReport(workDir, slot, courseCode(), config_.module(slot));
    this->report()->ShowFigures(report);
    // Each unreadable file is told once, and forgotten when it reads well again. Scores left
    // out are told apart from the file itself, which the home page reads well and forgets.
    for (ResultKind kind : {ResultKind::Marks, ResultKind::Trend, ResultKind::FirstResults, ResultKind::SecondResults}) {
        const auto file = ResultFilePath(workDir, kind, slot, courseCode());
        for (const bool values : {false, true}) {
            const auto problem = std::find_if(report.problems.begin(), report.problems.end(), [&](const ReportProblem& p) {
                return p.file == file && p.values == values;
            });
            const QString source =
                QString::fromStdU16String(file.u16string()) + (values ? QStringLiteral("|scores") : QString());
            if (problem == report.problems.end()) {
                told_.remove(source);
            } else {
                TellOnce(source, QString::fromStdString(problem->words));
            }
        }
    }
}

// Tabs, toolbar and pages --------------------------------------------------

void MainWindow::SelectTab(int n) {
    selectedTab_ = n;
    toolbarCommand_ = 1;
    reportSection_ = 1;
    tabBar_->Select(n);
    if (n != kHelpTab) moduleSlot_ = n;
    ShowPage();
    tabBar_->KeepFocusInFront(n);
}

void MainWindow::RunToolbarCommand(int n) {
    toolbarCommand_ = n;
    ShowPage();
}

void MainWindow::ShowPage() {
    switch (ShowPageAction(selectedTab_, toolbarCommand_)) {
        case PageAction::Home:
            if (config_.anyConfigured()) LoadModule();
            PlacePage(home_);
            break;
        case PageAction::Report:
            RefreshReport();
            PlacePage(report());
            report_->ShowSection(reportSection_);
            break;
        case PageAction::CloseProgram:
            CloseProgram();
            break;
        case PageAction::About:
            PlacePage(about());
            break;
        case PageAction::Trash:
            PlacePage(trash_);
            trash_->Reset();
            break;
        case PageAction::PrintResults:
            PrintResults();
            break;
        case PageAction::PrintSetup:
            PrintSetup();
            break;
        case PageAction::Nothing:
            break;
    }
}

ReportPage* MainWindow::report() {
    if (report_) return report_;
    report_ = new ReportPage(this, pictures_);
    report_->hide();
    pages_.push_back(report_);
    connect(report_, &ReportPage::mistakesClicked, this, &MainWindow::PrintMistakes);
    connect(report_, &ReportPage::sectionClicked, this, [this](int section) {
        reportSection_ = section;
        report_->ShowSection(section);
    });
    MakeReportKeyboardReady(report_);
    return report_;
}

AboutPage* MainWindow::about() {
    if (about_) return about_;
    about_ = new AboutPage(this, pictures_);
    about_->hide();
    pages_.push_back(about_);
    about_->SetProgramName(programName_);
    return about_;
}

// Directly below the tab strip, in front of the others, which are hidden so
// that only the page shown takes clicks and hover.
void MainWindow::PlacePage(QWidget* page) {
    QWidget* strip = tabBar_->strip();
    const int top = strip->y() + strip->height();
    page->setGeometry(strip->x(), top, strip->width(), height() - top - frame_->BBot->height());
    for (QWidget* other : pages_) {
        if (other != page) other->hide();
    }
    page->show();
    page->raise();
    RaiseBorders();
}

// The side and bottom borders stay above the pages, which reach under them.
void MainWindow::RaiseBorders() {
    for (QWidget* piece : {static_cast<QWidget*>(frame_->BLeft), static_cast<QWidget*>(frame_->BRight),
                           static_cast<QWidget*>(frame_->BBot), static_cast<QWidget*>(frame_->BBotLeft),
                           static_cast<QWidget*>(frame_->BBotRight)}) {
        piece->raise();
    }
}

void MainWindow::CloseProgram() {
    hover_->Stop();
    // A close refused (a paper is being marked, answers not saved) leaves the window working.
    if (!close()) hover_->Start();
}

// The hover tick, in this order: tabs, toolbar, trash page, home page, report page, title bar.
void MainWindow::Tick() {
    const QPoint cursor = cursor_.Pos();
    tabBar_->Tick(cursor, selectedTab_);
    toolbar_->Tick(cursor, selectedTab_, toolbarPressed_);
    if (trash_->isVisible()) trash_->Tick(cursor);
    if (home_->isVisible()) home_->Tick(cursor);
    if (report_ && report_->isVisible()) report_->Tick(cursor);
    frame_->EvaluateWindowButtons(cursor);
}

bool MainWindow::Ask(const QString& title, const QString& message, PopUpButtons buttons, QWidget* owner) {
    return AskPopUp(pictures_, cursor_, title, message, buttons, owner);
}

bool MainWindow::looksActive() const { return frame_->active(); }

}  // namespace qv
