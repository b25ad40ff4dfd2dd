#include "mainwindow/report_page.h"

#include <QVBoxLayout>

#include "course/navigation.h"
#include "mainwindow/page_kit.h"
#include "mainwindow/report_gain.h"
#include "mainwindow/report_summary.h"
#include "mainwindow/report_topical.h"
#include "mainwindow/report_trend.h"
#include "ui/clickable_label.h"

namespace qv {

namespace {
constexpr int kBarHeight = 22;  // four bars leave the topical chart its ten rows
}  // namespace

ReportPage::ReportPage(QWidget* parent, PictureCache& pictures) : QWidget(parent) {
    DressPage(this, QStringLiteral("Body_Report"));
    const char* captions[] = {"Overall Results", "Topical Results", "Trend Analysis", "Learning Gain"};
    const char* panels[] = {"RC1Summary", "RC2Topical", "RC3Trend", "RC4Gain"};
    for (int i = 0; i < 4; ++i) {
        panels_[i] = MakePage(this, QString::fromLatin1(panels[i]));
        panels_[i]->show();
        auto* bar = new PictureButton(NumberedName("RCBar", i + 1), pictures, this);
        bar->SetPicture(QStringLiteral("columnhead1.bmp"));
        bar->setScaledContents(true);
        auto* label = new CaptionLabel(NumberedName("lblRCBar", i + 1), QString::fromLatin1(captions[i]), bar);
        label->setFont(UiFont(9, true));
        label->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
        label->setIndent(10);
        SetTextColour(label, kHeadingColour);
        bars_[i] = bar;
        connect(bar, &PictureButton::clicked, this, [this, i] { emit sectionClicked(i + 1); });
    }
    summary_ = new SummarySection(panels_[0]);
    topical_ = new TopicalChart(panels_[1]);
    trend_ = new TrendSection(panels_[2]);
    gain_ = new GainSection(panels_[3], pictures);
    connect(gain_, &GainSection::mistakesClicked, this, &ReportPage::mistakesClicked);
    // Each section fills its panel and follows its size.
    const std::array<QWidget*, 4> sections = {summary_, topical_, trend_, gain_};
    for (int i = 0; i < 4; ++i) {
        auto* fill = new QVBoxLayout(panels_[i]);
        fill->setContentsMargins(0, 0, 0, 0);
        fill->addWidget(sections[i]);
    }
}

void ReportPage::ShowFigures(const ModuleReport& report) {
    for (int t = 1; t <= kMaxTopics; ++t) topical_->ShowRow(t, report.rows[static_cast<std::size_t>(t - 1)]);
    summary_->ShowAverages(report.summary);
    summary_->ShowRanking(report.summary);
    topical_->ShowRows(report.rows);
    trend_->Redraw(report.trend);
    gain_->Show(report.gain, report.rows);
}

void ReportPage::Tick(QPoint cursor) {
    if (open_ == 4) gain_->Tick(cursor);
}

void ReportPage::ShowSection(int section) {
    for (PictureButton* bar : bars_) {
        bar->resize(width(), kBarHeight);
        bar->findChild<QLabel*>()->setGeometry(0, 0, width(), kBarHeight);
    }
    std::array<int, kReportSections> heights{};
    for (std::size_t i = 0; i < bars_.size(); ++i) heights[i] = bars_[i]->height();
    const auto layout = ReportSectionLayout(section, height(), heights);
    for (std::size_t i = 0; i < bars_.size(); ++i) bars_[i]->move(0, layout.barTops[i]);
    open_ = section >= 1 && section <= kReportSections ? section : 1;
    QWidget* open = panel(open_);
    open->setGeometry(0, layout.panelTop, width(), layout.panelHeight);
    open->raise();
    for (PictureButton* bar : bars_) bar->raise();
}

}  // namespace qv
