#include "mainwindow/contents.h"

#include <algorithm>
#include <chrono>
#include <utility>

#include "course/results_store.h"
#include "mainwindow/about_page.h"
#include "mainwindow/home_page.h"
#include "mainwindow/main_keys.h"
#include "mainwindow/mistakes_printing.h"
#include "mainwindow/navigation.h"
#include "mainwindow/page_kit.h"
#include "mainwindow/report_page.h"
#include "mainwindow/results_printing.h"
#include "mainwindow/tab_bar.h"
#include "mainwindow/toolbar.h"
#include "mainwindow/trash_page.h"
#include "report/module_report.h"
#include "report/results_listing.h"
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
QString ScoreOf(const std::vector<std::string>& list, int paper) {
    if (paper < 1 || paper > static_cast<int>(list.size())) return QString();
    return FromRecord(list[static_cast<std::size_t>(paper - 1)]);
}

}  // namespace

Contents::Contents(const StartupData& startup, QString workDir, PictureCache& pictures, const CursorSource& cursor,
                   QWidget* parent)
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
    report_ = new ReportPage(this, pictures_);
    trash_ = new TrashPage(this, pictures_);
    about_ = new AboutPage(this, pictures_);
    pages_ = {home_, report_, trash_, about_};
    printing_ = new ResultsPrinting(this);
    printing_->ask = [this](const QString& title, const QString& message, int buttons, QWidget* owner) {
        return Ask(title, message, buttons, owner);
    };

    connect(tabBar_, &TabBar::tabClicked, this, &Contents::TabClick);
    connect(toolbar_, &Toolbar::clicked, this, &Contents::ToolBarClick);
    connect(toolbar_, &Toolbar::pressed, this, [this] { txtPressTrack = true; });
    connect(toolbar_, &Toolbar::released, this, [this] { txtPressTrack = false; });
    connect(home_, &HomePage::topicClicked, this, &Contents::TopicClick);
    connect(home_, &HomePage::paperClicked, this, &Contents::OpenPaper);
    connect(trash_, &TrashPage::eraseConfirmed, this, &Contents::EraseConfirmed);
    mistakes_ = new MistakesPrinting(this);
    mistakes_->ask = printing_->ask;
    connect(report_, &ReportPage::mistakesClicked, this, &Contents::PrintMistakes);
    connect(report_, &ReportPage::sectionClicked, this, [this](int section) {
        txtReportPos = section;
        report_->ShowSection(section);
    });

    // Captions from the configuration.
    const QString title = config_.title.empty() ? QStringLiteral("Quorvale Practice") : FromRecord(config_.title);
    setWindowTitle(title);
    frame_->Title->setText(title);
    about_->SetProgramName(title);
    lblCOD = FromRecord(config_.code);
    tabBar_->SetCaptions(config_);

    tabBar_->Arrange(config_);
    frame_->Layout();
    RaiseBorders();
    connect(frame_->imgProgClose, &PictureButton::clicked, this, &Contents::CloseProgram);
    connect(frame_->imgProgMin, &PictureButton::clicked, this, &QWidget::showMinimized);
    connect(frame_, &SkinFrame::activeChanged, this, [this] { ContentsFocus = frame_->focusFlag(); });
    MakeMainWindowKeyboardReady(this);

    Timer1 = new QTimer(this);
    Timer1->setObjectName(QStringLiteral("Timer1"));
    Timer1->setInterval(100);
    connect(Timer1, &QTimer::timeout, this, &Contents::Tick);
    Timer1->start();

    const int slot = config_.firstConfiguredSlot();
    if (slot == 0) {
        home_->ShowNoCourse(NoCourseWords(startup.configuration));
        PlacePage(home_);
        txtTabPos = kHelpTab;
        tabBar_->Select(kHelpTab);
        Tick();
        return;
    }
    LChose = QString::number(slot);
    txtTabPos = slot;
    TabClick(slot);
    txtToolBarPos = 1;
    txtReportPos = 1;
    TopicCount = QStringLiteral("1");
    LoadModule();
    Tick();
}

// The pieces are destroyed after this object; what they say on the way (the
// frame hears the window lose activation) must no longer reach it.
Contents::~Contents() {
    for (QObject* child : children()) disconnect(child, nullptr, this, nullptr);
    disconnect(toolbar_, nullptr, this, nullptr);  // it lies on the tab strip
}

void Contents::LoadMainPictures() {
    // The frame pieces load their own pictures; the rest are loaded with the pages.
    const QPixmap& icon = pictures_.Get(QStringLiteral("QVicon.ico"));
    if (!icon.isNull()) setWindowIcon(QIcon(icon));
}

// Notices ------------------------------------------------------------------

QStringList Contents::TakeNotices() {
    noticesTaken_ = true;
    return std::exchange(pendingNotices_, {});
}

void Contents::Tell(const QString& source, const QString& words) {
    if (told_.value(source) == words) return;
    told_.insert(source, words);
    if (!noticesTaken_) {
        if (!pendingNotices_.contains(words)) pendingNotices_ << words;
        return;
    }
    Ask(QStringLiteral("Quorvale"), words, 1, this);
}

// Home page ---------------------------------------------------------------

void Contents::LoadModule() {
    bool ok = false;
    const int slot = LChose.toInt(&ok);
    if (ok && slot >= 1 && slot <= 3) {
        const ModuleConfig& module = config_.module(slot);
        topicCount_ = module.topicCount;
        paperCount_ = module.paperCount;
        topicNames_ = module.topicNames;
    }
    TtPapersCon = QString::number(paperCount_);
    const auto marksFile = ResultFilePath(ToPath(workDir_), ResultKind::Marks, LChose.toInt(), lblCOD.toStdString());
    auto marks = ReadModuleMarks(marksFile, paperCount_);
    marks_ = std::move(marks.value);
    home_->ShowTopics(topicNames_, topicCount_);
    if (RefreshLog == QStringLiteral("off")) TopicClick(1);

    const QString source = QString::fromStdString(marksFile.string());
    if (marks.ok()) {
        told_.remove(source);
    } else {
        Tell(source, QString::fromStdString(DescribeIoStatus(marks.status, marksFile)));
    }
}

void Contents::TopicClick(int k) {
    TopicCount = QString::number(FirstPaperOfTopic(k));
    TopicChoosing(TopicCount.toInt());
    Topicbuttoncolour(home_->topic(k));
}

void Contents::TopicChoosing(int firstPaper) {
    std::array<QString, 5> first, second;
    for (int offset = 0; offset < 5; ++offset) {
        const int paper = PaperNumber(firstPaper, offset);
        first[offset] = ScoreOf(marks_[0], paper);
        second[offset] = ScoreOf(marks_[1], paper);
    }
    const int topic = TopicOfFirstPaper(firstPaper);
    const QString heading =
        topic >= 1 && topic <= static_cast<int>(topicNames_.size()) ? FromRecord(topicNames_[topic - 1]) : QString();
    home_->ShowPapers(heading, first, second);
}

void Contents::Topicbuttoncolour(QLabel* selected) { home_->Highlight(selected); }

void Contents::OpenPaper(int offset, int attempt) {
    PaperNum = QString::fromStdString(PaperKey(TopicCount.toInt(), offset));
    TakeNum = QString::number(attempt);
    emit paperRequested();
}

void Contents::RefreshContents() {
    RefreshLog = QStringLiteral("on");
    LoadModule();
    const int topic = TopicOfFirstPaper(TopicCount.toInt());
    if (topic >= 1) TopicClick(topic);
    RefreshLog = QStringLiteral("off");
    if (report_->isVisible()) ShowPage();  // a report on show follows the paper just closed too
}

// Report page --------------------------------------------------------------

void Contents::RefreshReport() {
    bool ok = false;
    const int slot = LChose.toInt(&ok);
    if (!ok || slot < 1 || slot > 3) return;
    const auto workDir = ToPath(workDir_);
    const ModuleReport report = LoadModuleReport(workDir, slot, lblCOD.toStdString(), config_.module(slot));
    report_->ShowFigures(report);
    // Each unreadable file is told once, and forgotten when it reads well again.
    for (ResultKind kind : {ResultKind::Marks, ResultKind::Trend, ResultKind::FirstResults, ResultKind::SecondResults}) {
        const auto file = ResultFilePath(workDir, kind, slot, lblCOD.toStdString());
        const auto problem = std::find_if(report.problems.begin(), report.problems.end(),
                                          [&](const ReportProblem& p) { return p.file == file; });
        const QString source = QString::fromStdString(file.string());
        if (problem == report.problems.end()) {
            told_.remove(source);
        } else {
            Tell(source, QString::fromStdString(problem->words));
        }
    }
}

// Tabs, toolbar and pages --------------------------------------------------

void Contents::TabClick(int n) {
    txtTabPos = n;
    txtToolBarPos = 1;
    txtReportPos = 1;
    tabBar_->Select(n);
    if (n != kHelpTab) LChose = QString::number(n);
    ShowPage();
}

void Contents::ToolBarClick(int n) {
    txtToolBarPos = n;
    ShowPage();
}

void Contents::ShowPage() {
    switch (ShowPageAction(txtTabPos, txtToolBarPos)) {
        case PageAction::Home:
            if (config_.anyConfigured()) LoadModule();
            PlacePage(home_);
            break;
        case PageAction::Report:
            RefreshReport();
            PlacePage(report_);
            report_->ShowSection(txtReportPos);
            break;
        case PageAction::CloseProgram:
            CloseProgram();
            break;
        case PageAction::About:
            PlacePage(about_);
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

// Directly below the tab strip, in front of the others, which are hidden so
// that only the page shown takes clicks and hover.
void Contents::PlacePage(QWidget* page) {
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
void Contents::RaiseBorders() {
    for (QWidget* piece : {static_cast<QWidget*>(frame_->BLeft), static_cast<QWidget*>(frame_->BRight),
                           static_cast<QWidget*>(frame_->BBot), static_cast<QWidget*>(frame_->BBotLeft),
                           static_cast<QWidget*>(frame_->BBotRight)}) {
        piece->raise();
    }
}

// Trash and printing -------------------------------------------------------

void Contents::EraseConfirmed() {
    // An erase that would be refused leaves the open paper as it is.
    const std::string refusal = resources_ ? EraseRefusal(*resources_, ToPath(workDir_), config_) : std::string();
    bool refused = false;
    if (refusal.empty()) emit erasingResults(&refused);
    if (refused) {
        Ask(QStringLiteral("Quorvale"),
            QStringLiteral("A paper is being marked. Erase your results when the marking has finished."), 1, this);
        return;
    }
    const EraseOutcome outcome = refusal.empty() ? ResetResults() : EraseOutcome{};
    if (outcome.erased) {
        trash_->ShowState(TrashState::Done);
        return;
    }
    trash_->ShowState(TrashState::Offer);
    Ask(QStringLiteral("Quorvale"), QString::fromStdString(refusal.empty() ? outcome.message : refusal), 1, this);
}

EraseOutcome Contents::ResetResults() {
    if (!resources_) {
        EraseOutcome outcome;
        outcome.message = "Your past results have not been erased: this copy of the program holds no empty result "
                          "files to put in their place.";
        return outcome;
    }
    return EraseResults(*resources_, ToPath(workDir_), config_, std::chrono::system_clock::now());
}

void Contents::PrintResults() {
    bool ok = false;
    const int slot = LChose.toInt(&ok);
    if (!ok || slot < 1 || slot > kSlotCount || !config_.module(slot).configured()) return;
    const ModuleConfig& module = config_.module(slot);
    // Read again now, so that the listing shows what is stored.
    const auto marksFile = ResultFilePath(ToPath(workDir_), ResultKind::Marks, slot, lblCOD.toStdString());
    const auto marks = ReadModuleMarks(marksFile, module.paperCount);
    if (!marks.ok()) {
        Ask(QStringLiteral("Print"),
            QStringLiteral("Your results could not be printed. ") +
                QString::fromStdString(DescribeIoStatus(marks.status, marksFile)),
            1, this);
        return;
    }
    printing_->Print(ResultsListing(ToRecord(windowTitle()), module, marks.value));
}

void Contents::PrintSetup() { printing_->Setup(); }

void Contents::PrintMistakes() {
    const int slot = LChose.toInt();
    if (slot < 1 || slot > kSlotCount || !config_.module(slot).configured()) return;
    mistakes_->PrintModule(printing_->printer(), resources_, ToPath(workDir_), slot, lblCOD.toStdString(),
                           ToRecord(windowTitle()), config_.module(slot));
}

void Contents::CloseProgram() {
    Timer1->stop();
    // A close refused (a paper is being marked, answers not saved) leaves the window working.
    if (!close()) Timer1->start();
}

// The hover tick, in this order: tabs, toolbar, trash page, home page, report page, title bar.
void Contents::Tick() {
    const QPoint cursor = cursor_.Pos();
    tabBar_->Tick(cursor, txtTabPos);
    toolbar_->Tick(cursor, txtTabPos, txtPressTrack);
    if (trash_->isVisible()) trash_->Tick(cursor);
    if (home_->isVisible()) home_->Tick(cursor);
    if (report_->isVisible()) report_->Tick(cursor);
    frame_->EvaluateWindowButtons(cursor);
}

bool Contents::Ask(const QString& title, const QString& message, int buttons, QWidget* owner) {
    return AskPopUp(pictures_, cursor_, PopUpResponse, title, message, buttons, owner);
}

}  // namespace qv
