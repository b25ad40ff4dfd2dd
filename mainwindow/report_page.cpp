#include "mainwindow/report_page.h"

#include <QVBoxLayout>

#include "mainwindow/navigation.h"
#include "mainwindow/page_kit.h"
#include "mainwindow/report_summary.h"
#include "mainwindow/report_topical.h"
#include "mainwindow/report_trend.h"
#include "ui/clickable_label.h"

namespace qv {

namespace {
constexpr int kBarHeight = 24;
}  // namespace

ReportPage::ReportPage(QWidget* parent, PictureCache& pictures) : QWidget(parent) {
    DressPage(this, QStringLiteral("Body_Report"));
    const char* captions[] = {"Overall Results", "Topical Results", "Trend Analysis"};
    const char* panels[] = {"RC1Summary", "RC2Topical", "RC3Trend"};
    for (int i = 0; i < 3; ++i) {
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
    // Each section fills its panel and follows its size.
    const std::array<QWidget*, 3> sections = {summary_, topical_, trend_};
    for (int i = 0; i < 3; ++i) {
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
}

void ReportPage::ShowSection(int section) {
    for (PictureButton* bar : bars_) {
        bar->resize(width(), kBarHeight);
        bar->findChild<QLabel*>()->setGeometry(0, 0, width(), kBarHeight);
    }
    const auto layout =
        ReportSectionLayout(section, height(), bars_[0]->height(), bars_[1]->height(), bars_[2]->height());
    for (int i = 0; i < 3; ++i) bars_[i]->move(0, layout.barTops[i]);
    QWidget* open = panel(section);
    open->setGeometry(0, layout.panelTop, width(), layout.panelHeight);
    open->raise();
    for (PictureButton* bar : bars_) bar->raise();
}

}  // namespace qv
