#pragma once

// The controls of a practice window around the page and the answer sheet:
// the toolbar strip with its six buttons and the score panel, the question
// title, the status strip under the page (remaining questions, clock,
// answered count, date, marking progress) and the handle that hides the
// sheet. It places them for the window's size; it decides nothing.

#include <QComboBox>
#include <QLabel>
#include <QWidget>
#include <array>
#include <vector>

#include "practice/paper_request.h"
#include "ui/skin.h"

namespace qv {

class AnswerSheet;
class SkinFrame;

class PracticeChrome {
public:
    // Builds the controls on `host`. A second-attempt window has no clock or
    // dates and a "Second Attempt" status panel.
    PracticeChrome(QWidget* host, PictureCache& pictures, Attempt which);

    // Places everything for the host's size: the frame is laid out already;
    // `page` and `sheet` are the question page and the answer sheet.
    void Layout(const SkinFrame& frame, QWidget* page, AnswerSheet* sheet, bool sheetShown);

    // The percentage score with its sign behind it; nothing for an empty score.
    void ShowScore(const QString& percent);

    static constexpr int kButtons = 6;
    static constexpr int kBars = 15;

    QWidget* ScnTabBG;
    std::array<PictureButton*, kButtons> toolBar{};    // ToolBar01..06
    std::array<CaptionLabel*, kButtons> toolBarLabels{};  // lblTB01..06
    QLabel* PaperSum;
    QLabel* PScoring;
    QLabel* Scoring;
    QLabel* PercentSign;
    QWidget* QnTitleBG;
    QLabel* QnTitle;
    QWidget* RemQnsBG;
    QLabel* TxtRem;
    QLabel* TxtRemlbl;
    QComboBox* RemQns;
    QLabel* Bot1;
    QLabel* Bot2;
    QLabel* Bot3;
    QLabel* lblClock = nullptr;
    QLabel* LTime = nullptr;
    QLabel* lblDate = nullptr;
    QLabel* ETime = nullptr;
    QLabel* lblAnsweredQ;
    QLabel* lblTotalQ;
    QLabel* fmeMark;
    std::array<QLabel*, kBars> imgBar{};  // imgBar01..15
    QWidget* PicHideAns;
    ClickableLabel* ImgHandle;

private:
    QLabel* Panel(const QString& name, const QString& picture, QWidget* parent);
    void LayStatusStrip();
    static int panelWidth(QLabel* panel);

    QWidget* host_;
    PictureCache& pictures_;
    std::vector<QLabel*> statusPanels_;  // Bot1.. as this attempt has them, left to right
};

}  // namespace qv
