#include "mainwindow/report_summary.h"

#include <algorithm>

#include "mainwindow/page_kit.h"
#include "ui/record_text.h"

namespace qv {

namespace {
constexpr int kMargin = 16;
constexpr int kRowStep = 30;
constexpr int kRowHeight = 22;
constexpr int kCaptionGap = 10;
}  // namespace

SummarySection::SummarySection(QWidget* panel) : QWidget(panel) {

    struct Row {
        const char* caption;
        const char* captionText;
        const char* value;
        QLabel** label;
    };
    const Row rows[] = {
        {"SumyL1", "First Attempt Average Score:", "OScore1", &OScore1},
        {"SumyL2", "Second Attempt Average Score:", "OScore2", &OScore2},
        {"SumyL5", "Number of Papers Completed:", "PCNum", &PCNum},
        {"SumyL4", "Strongest Topic:", "ST", &ST},
        {"SumyL3", "Weakest Topic:", "WT", &WT},
    };
    for (std::size_t i = 0; i < captions_.size(); ++i) {
        const Row& row = rows[i];
        captions_[i] = MakeLabel(this, QString::fromLatin1(row.caption), QString::fromLatin1(row.captionText),
                                 UiFont(9));
        values_[i] = MakeLabel(this, QString::fromLatin1(row.value), QStringLiteral("-"), UiFont(9, true));
        SetTextColour(values_[i], kHeadingColour);
        *row.label = values_[i];
    }
    // A long topic name takes a second line rather than running off the page.
    for (QLabel* topic : {ST, WT}) topic->setWordWrap(true);
    LayOut();
}

void SummarySection::ShowAverages(const ReportSummary& summary) {
    OScore1->setText(ShownFigure(summary.firstAverage));
    OScore2->setText(ShownFigure(summary.secondAverage));
    PCNum->setText(FromRecord(summary.papersCompleted));
}

void SummarySection::ShowRanking(const ReportSummary& summary) {
    WT->setText(FromRecord(summary.weakest));
    ST->setText(FromRecord(summary.strongest));
    LayOut();  // a name may take two lines
}

void SummarySection::resizeEvent(QResizeEvent*) { LayOut(); }

void SummarySection::showEvent(QShowEvent*) {
    if (!laidOut_) LayOut();
}

// Captions in one column as wide as the widest, values beside them. Measuring
// the labels is most of the cost of building the report page, so a section
// that is not on show is laid out when it is first shown.
void SummarySection::LayOut() {
    laidOut_ = isVisible();
    if (!laidOut_) return;
    int captionWidth = 0;
    for (QLabel* caption : captions_) captionWidth = std::max(captionWidth, caption->sizeHint().width());
    const int valueLeft = kMargin + captionWidth + kCaptionGap;
    const int valueWidth = std::max(40, width() - valueLeft - kMargin / 2);
    int top = kMargin;
    for (std::size_t i = 0; i < captions_.size(); ++i) {
        const bool wraps = values_[i]->wordWrap();
        const int height = wraps ? std::max(kRowHeight, values_[i]->heightForWidth(valueWidth)) : kRowHeight;
        captions_[i]->setGeometry(kMargin, top, captionWidth, kRowHeight);
        values_[i]->setGeometry(valueLeft, top + (wraps ? (kRowHeight - values_[i]->fontMetrics().height()) / 2 : 0),
                                valueWidth, height);
        values_[i]->setAlignment(Qt::AlignLeft | (wraps ? Qt::AlignTop : Qt::AlignVCenter));
        top += std::max(kRowStep, height + kRowStep - kRowHeight);
    }
}

}  // namespace qv
