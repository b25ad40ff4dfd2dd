#pragma once

// The "Overall Results" section of the report page: the average scores of
// the first and second attempts, the papers completed and the strongest and
// weakest topic, each beside its caption.

#include <QLabel>
#include <QWidget>

#include "report/report_figures.h"

namespace qv {

class SummarySection : public QWidget {
    Q_OBJECT

public:
    explicit SummarySection(QWidget* panel);

    // `OScore1`, `OScore2` and `PCNum`.
    void ShowAverages(const ReportSummary& summary);
    // `WT`, then `ST`.
    void ShowRanking(const ReportSummary& summary);

protected:
    void resizeEvent(QResizeEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    void LayOut();

    QLabel* OScore1 = nullptr;
    QLabel* OScore2 = nullptr;
    QLabel* PCNum = nullptr;
    QLabel* ST = nullptr;
    QLabel* WT = nullptr;
    // Captions and values, in the order shown from the top.
    std::array<QLabel*, 5> captions_{};
    std::array<QLabel*, 5> values_{};
    bool laidOut_ = false;
};

}  // namespace qv
