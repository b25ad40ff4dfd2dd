#pragma once

#include <QHash>
#include <QLabel>
#include <QString>
#include <QStringList>
#include <QTimer>
#include <QWidget>
#include <array>
#include <string>
#include <vector>

#include "course/course_config.h"
#include "course/resources.h"
#include "course/results_store.h"
#include "course/startup.h"
#include "practice/paper_request.h"
#include "ui/ask.h"
#include "ui/cursor_source.h"
#include "ui/picture_cache.h"
#include "ui/skin_frame.h"

namespace qv {

class AboutPage;
class HoverTicker;
class HomePage;
class MistakesPrinting;
class ReportPage;
class ResultsPrinting;
class TabBar;
class Toolbar;
class TrashPage;

// Why an open practice window keeps the results from being erased now.
enum class OpenPaperHold { None, BeingMarked, NotSaved };

// The main window (object name "Contents"). It holds the program-wide state
// (current module slot, the chosen topic, the tab, toolbar and report
// positions), brings the program up, switches the pages and runs the hover
// timer. Each page lives in a file of its own; the state changes only here.
class MainWindow : public QWidget {
    Q_OBJECT

public:
    MainWindow(const StartupData& startup, QString workDir, PictureCache& pictures, const CursorSource& cursor,
               QWidget* parent = nullptr);
    ~MainWindow() override;

    const CourseConfig& config() const { return config_; }
    const QString& workDir() const { return workDir_; }
    PictureCache& pictures() { return pictures_; }
    const CursorSource& cursor() const { return cursor_; }

    // The program-wide state.
    // The module on show: slot 1..3 (the Help tab keeps the last one).
    int moduleSlot() const { return moduleSlot_; }
    // Part of every result file name (record bytes, checked safe for a file name).
    const std::string& courseCode() const { return config_.code; }
    // Papers of the current module.
    int paperCount() const { return paperCount_; }
    // Paper number of the chosen topic's first paper: 1, 6, ..., 46.
    int topicFirstPaper() const { return topicFirstPaper_; }
    // 1..3 a module tab, 4 the Help tab.
    int selectedTab() const { return selectedTab_; }
    // The toolbar command run last on this tab (0: none yet).
    int toolbarCommand() const { return toolbarCommand_; }
    // The open section of the report page, 1..3.
    int reportSection() const { return reportSection_; }
    // True while a toolbar button is held down.
    bool toolbarPressed() const { return toolbarPressed_; }
    // True while the window shows its active look.
    bool looksActive() const;

    // Shows the five papers of the topic whose first paper is given.
    void ShowTopicPapers(int firstPaper);
    void HighlightTopic(QLabel* selected);
    // Reads the module's marks again and shows them, keeping the chosen topic.
    void RefreshHomePage();
    // Reads the current module's marks and trend files and fills every
    // section of the report page.
    void RefreshReport();
    void CloseProgram();
    // One 100 ms hover tick.
    void Tick();
    // The result templates the trash page erases the results with.
    void SetResources(const ResourceSource& source) { resources_ = &source; }
    // Every result file of every configured slot back to its template, after
    // a copy of them has been put into the backup folder.
    EraseOutcome EraseAllResults();
    // The current module's results on the printer chosen last (at first the
    // default printer), and the printer dialog.
    void PrintResults();
    void PrintSetup();
    void PrintMistakes();
    // Shows the program's message box owned by `owner`; true for "Yes"/"OK".
    bool Ask(const QString& title, const QString& message, PopUpButtons buttons, QWidget* owner);

    // The problems found while the window was built, each once, for the
    // caller to show when the window is on screen. From then on a new
    // problem is shown as it is found; one already told is not told again.
    QStringList TakeNotices();

signals:
    // The pupil asked for a paper of the current module.
    void paperRequested(const PaperRequest& request);
    // The results are about to be erased: an open practice window saves its
    // answers (they go into the copy made first) and closes, so that it cannot
    // write its records back later. One that cannot close now says why in `hold`.
    void erasingResults(OpenPaperHold* hold);

private:
    void LoadMainPictures();
    void TellOnce(const QString& source, const QString& words);

    void LoadModule();
    void SelectTopic(int k);
    void RequestPaper(int offset, Attempt attempt);
    void SelectTab(int n);
    void RunToolbarCommand(int n);
    void ShowPage();
    void PlacePage(QWidget* page);
    void RaiseBorders();
    void EraseConfirmed();

    PictureCache& pictures_;
    const CursorSource& cursor_;
    CourseConfig config_;
    QString workDir_;
    SkinFrame* frame_ = nullptr;
    QTimer* Timer1 = nullptr;
    HoverTicker* hover_ = nullptr;

    // The program-wide state, changed only by this window.
    int moduleSlot_ = 1;
    int topicFirstPaper_ = 1;
    int selectedTab_ = 1;
    int toolbarCommand_ = 0;
    int reportSection_ = 1;
    bool toolbarPressed_ = false;
    // While the home page is read again: keep the chosen topic.
    bool refreshing_ = false;

    // State of the current module.
    int topicCount_ = 0;
    int paperCount_ = 0;
    std::vector<std::string> topicNames_;
    MarksLists marks_;

    // Problems told, by the file they concern; a file read well again is forgotten.
    QHash<QString, QString> told_;
    QStringList pendingNotices_;
    bool noticesTaken_ = false;

    TabBar* tabBar_ = nullptr;
    Toolbar* toolbar_ = nullptr;
    HomePage* home_ = nullptr;
    // The report and About pages are built when they are first shown: most
    // starts never show them, and they would take a good part of the start.
    ReportPage* report();
    AboutPage* about();
    ReportPage* report_ = nullptr;
    TrashPage* trash_ = nullptr;
    AboutPage* about_ = nullptr;
    QString programName_;
    ResultsPrinting* printing_ = nullptr;
    MistakesPrinting* mistakes_ = nullptr;
    const ResourceSource* resources_ = nullptr;
    // Every page built so far; one at a time is shown.
    std::vector<QWidget*> pages_;
};

}  // namespace qv
