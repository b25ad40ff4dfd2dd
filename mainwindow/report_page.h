#pragma once

// The report page `Body_Report`: four sections, each opened with its header
// bar. The figures of each section are drawn by the report's own widgets,
// which are put into the section panels.

#include <QWidget>
#include <array>

#include "report/module_report.h"
#include "ui/picture_button.h"
#include "ui/picture_cache.h"

namespace qv {

class GainSection;
class SummarySection;
class TopicalChart;
class TrendSection;

class ReportPage : public QWidget {
    Q_OBJECT

public:
    ReportPage(QWidget* parent, PictureCache& pictures);

    // Opens section 1..4: its panel fills the space between its bar and the
    // next; the bars below it sit at the bottom of the page.
    void ShowSection(int section);
    // `RC1Summary`, `RC2Topical`, `RC3Trend`, `RC4Gain` for sections 1..4.
    QWidget* panel(int section) const { return panels_[section - 1]; }
    // Fills all four sections, whichever is open: the topic rows 1..10, the
    // averages and papers completed, the weakest and strongest topic, the
    // rows shown, the trend plot, the learning gain.
    void ShowFigures(const ModuleReport& report);

    // The hover look of the open section's buttons.
    void Tick(QPoint cursor);

signals:
    void sectionClicked(int section);
    void mistakesClicked();

private:
    std::array<PictureButton*, 4> bars_{};
    std::array<QWidget*, 4> panels_{};
    SummarySection* summary_ = nullptr;
    TopicalChart* topical_ = nullptr;
    TrendSection* trend_ = nullptr;
    GainSection* gain_ = nullptr;
    int open_ = 1;
};

}  // namespace qv
