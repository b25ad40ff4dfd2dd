#pragma once

// The report page `Body_Report`: three sections, each opened with its header
// bar. The figures of each section are drawn by the report's own widgets,
// which are put into the section panels.

#include <QWidget>
#include <array>

#include "report/module_report.h"
#include "ui/picture_button.h"
#include "ui/picture_cache.h"

namespace qv {

class SummarySection;
class TopicalChart;
class TrendSection;

class ReportPage : public QWidget {
    Q_OBJECT

public:
    ReportPage(QWidget* parent, PictureCache& pictures);

    // Opens section 1..3: its panel fills the space between its bar and the
    // next; the bars below it sit at the bottom of the page.
    void ShowSection(int section);
    // `RC1Summary`, `RC2Topical`, `RC3Trend` for sections 1..3.
    QWidget* panel(int section) const { return panels_[section - 1]; }
    // Fills all three sections, whichever is open: the topic rows 1..10, the
    // averages and papers completed, the weakest and strongest topic, the
    // rows shown, the trend plot.
    void ShowFigures(const ModuleReport& report);

signals:
    void sectionClicked(int section);

private:
    std::array<PictureButton*, 3> bars_{};
    std::array<QWidget*, 3> panels_{};
    SummarySection* summary_ = nullptr;
    TopicalChart* topical_ = nullptr;
    TrendSection* trend_ = nullptr;
};

}  // namespace qv
