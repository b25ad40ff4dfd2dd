#pragma once

#include <QLabel>
#include <QPointer>
#include <QString>
#include <QTimer>
#include <QWidget>
#include <array>
#include <vector>

#include "course/course_config.h"
#include "course/startup.h"
#include "ui/skin.h"
#include "ui/skin_frame.h"

namespace qv {

class PercentColumn;

// The main window. It holds the program-wide state that the other windows
// read (current module slot, course code, the paper being opened, the
// dialog's answer), the module tabs, the toolbar and the pages.
class Contents : public QWidget {
    Q_OBJECT

public:
    Contents(const StartupData& startup, QString workDir, PictureCache& pictures, const CursorSource& cursor,
             QWidget* parent = nullptr);

    const CourseConfig& config() const { return config_; }
    const QString& workDir() const { return workDir_; }
    PictureCache& pictures() { return pictures_; }
    const CursorSource& cursor() const { return cursor_; }

    // Public procedures other windows call.
    void TopicChoosing(int firstPaper);
    void Topicbuttoncolour(QLabel* selected);
    void RefreshContents();
    void CloseProgram();
    // One 100 ms hover tick.
    void Tick();
    // Shows the program's message box owned by `owner`; true for "Yes"/"OK".
    bool Ask(const QString& title, const QString& message, int buttons, QWidget* owner);

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

protected:
    void changeEvent(QEvent* event) override;

private:
    void LoadMainPictures();
    void BuildTabs();
    void BuildToolbar();
    void BuildHomePage();
    void BuildReportPage();
    void BuildHelpPages();
    void ShowNoCourse(const QString& words);

    void LoadModule();
    void ShowTopicButton(int k);
    void TopicClick(int k);
    void ShowPaperButtons();
    void OpenPaper(int offset, int attempt);
    void TabClick(int n);
    void ToolBarClick(int n);
    void SelectTab(int n);
    void ShowPage();
    void PlacePage(QWidget* page);
    void RaiseBorders();
    void ShowReportSection();

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

    QWidget* ScnTabBG = nullptr;
    std::array<PictureButton*, 4> tabs_{};
    std::array<CaptionLabel*, 4> tabLabels_{};
    std::array<PictureButton*, 4> toolBar_{};
    std::array<CaptionLabel*, 4> toolBarLabels_{};
    // Captions, tooltips and pictures of the four buttons on a module tab and on the Help tab.
    struct ToolbarLook {
        QString caption, tooltip, off, on, pressed;
    };
    std::array<std::array<ToolbarLook, 4>, 2> toolbarLooks_;

    QWidget* Body_Home = nullptr;
    QWidget* Body_Report = nullptr;
    QWidget* Body_Trash = nullptr;
    QWidget* Body_About = nullptr;
    QLabel* noCourse_ = nullptr;
    std::array<QLabel*, 10> topics_{};
    std::array<QLabel*, 10> bullets_{};
    QLabel* SubH1 = nullptr;
    std::array<QLabel*, 5> msa_{};
    std::array<QLabel*, 5> msb_{};
    PercentColumn* Percent1a = nullptr;
    std::array<PictureButton*, 5> paperA_{};
    std::array<PictureButton*, 5> paperB_{};
    std::array<PictureButton*, 3> reportBars_{};
    std::array<QWidget*, 3> reportPanels_{};
    QLabel* ProgramName = nullptr;
};

}  // namespace qv
