#pragma once

#include <QHash>
#include <QLabel>
#include <QString>
#include <QStringList>
#include <QTimer>
#include <QWidget>
#include <array>
#include <vector>

#include "course/course_config.h"
#include "course/resources.h"
#include "course/results_store.h"
#include "course/startup.h"
#include "ui/cursor_source.h"
#include "ui/picture_cache.h"
#include "ui/skin_frame.h"

namespace qv {

class AboutPage;
class HomePage;
class MistakesPrinting;
class ReportPage;
class ResultsPrinting;
class TabBar;
class Toolbar;
class TrashPage;

// The main window. It holds the program-wide state that the other windows
// read (current module slot, course code, the paper being opened, the
// dialog's answer), brings the program up, switches the pages and runs the
// hover timer. Each page lives in a file of its own.
class Contents : public QWidget {
    Q_OBJECT

public:
    Contents(const StartupData& startup, QString workDir, PictureCache& pictures, const CursorSource& cursor,
             QWidget* parent = nullptr);
    ~Contents() override;

    const CourseConfig& config() const { return config_; }
    const QString& workDir() const { return workDir_; }
    PictureCache& pictures() { return pictures_; }
    const CursorSource& cursor() const { return cursor_; }

    // Public procedures other windows call.
    void TopicChoosing(int firstPaper);
    void Topicbuttoncolour(QLabel* selected);
    void RefreshContents();
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
    EraseOutcome ResetResults();
    // The current module's results on the printer chosen last (at first the
    // default printer), and the printer dialog.
    void PrintResults();
    void PrintSetup();
    void PrintMistakes();
    // Shows the program's message box owned by `owner`; true for "Yes"/"OK".
    bool Ask(const QString& title, const QString& message, int buttons, QWidget* owner);

    // The problems found while the window was built, each once, for the
    // caller to show when the window is on screen. From then on a new
    // problem is shown as it is found; one already told is not told again.
    QStringList TakeNotices();

    // Program-wide state, as text like the controls other windows read.
    QString LChose = QStringLiteral("1");
    QString lblCOD;
    QString TtPapersCon;
    QString TopicCount = QStringLiteral("1");
    QString PaperNum;
    QString TakeNum;
    QString RefreshLog = QStringLiteral("off");
    QString PopUpResponse;
    QString ContentsFocus = QStringLiteral("1");
    int txtTabPos = 1;
    int txtToolBarPos = 0;
    int txtReportPos = 1;
    bool txtPressTrack = false;

signals:
    // A paper is to be opened (PaperNum, TakeNum and the rest are set).
    void paperRequested();
    // The results are about to be erased: an open practice window closes
    // unsaved, so that it cannot write its records back. One that cannot
    // close now (its paper is being marked) sets `refused`.
    void erasingResults(bool* refused);

private:
    void LoadMainPictures();
    void Tell(const QString& source, const QString& words);

    void LoadModule();
    void TopicClick(int k);
    void OpenPaper(int offset, int attempt);
    void TabClick(int n);
    void ToolBarClick(int n);
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

    // State of the current module.
    int topicCount_ = 0;
    int paperCount_ = 0;
    std::vector<std::string> topicNames_;
    std::array<std::vector<std::string>, 6> marks_;

    // Problems told, by the file they concern; a file read well again is forgotten.
    QHash<QString, QString> told_;
    QStringList pendingNotices_;
    bool noticesTaken_ = false;

    TabBar* tabBar_ = nullptr;
    Toolbar* toolbar_ = nullptr;
    HomePage* home_ = nullptr;
    ReportPage* report_ = nullptr;
    TrashPage* trash_ = nullptr;
    AboutPage* about_ = nullptr;
    ResultsPrinting* printing_ = nullptr;
    MistakesPrinting* mistakes_ = nullptr;
    const ResourceSource* resources_ = nullptr;
    // Every page; one at a time is shown.
    std::vector<QWidget*> pages_;
};

}  // namespace qv
