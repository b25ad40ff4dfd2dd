#pragma once

// The "Topical Results" section of the report page: a row for each topic of
// the module with its name and two bars, the average first-attempt and
// second-attempt scores of its papers, each on a track of its own with the
// percentage written over it.

#include <QFrame>
#include <QLabel>
#include <QWidget>
#include <array>

#include "course/course_limits.h"
#include "report/report_figures.h"

namespace qv {

class TopicalChart : public QWidget {
    Q_OBJECT

public:
    explicit TopicalChart(QWidget* panel);

    // Fills one row: the topic's name, its two marks and the widths of its
    // two bars. Every row's bars are scaled to the inner width of the first
    // row's tracks (`TBack1A` and `TBack1B`).
    void ShowTopicBars(QLabel* topicLabel, QLabel* firstMark, QLabel* secondMark, QLabel* firstBar,
                       QLabel* secondBar, const TopicRow& row);
    // ShowTopicBars with the controls of row t (1..10).
    void ShowRow(int t, const TopicRow& row);
    // Shows the rows of the module's topics and hides the others, from row 10 up.
    void ShowRows(const std::array<TopicRow, kMaxTopics>& rows);

    // The two bar fills: first attempt, second attempt.
    static const QColor kFirstBarColour;
    static const QColor kSecondBarColour;

private:
    struct Row {
        QLabel* TopLab = nullptr;
        std::array<QFrame*, 2> TBack{};  // A, B
        std::array<QLabel*, 2> TBar{};
        std::array<QLabel*, 2> TMark{};
    };
    QFrame* MakeTrack(int t, int attempt, QRect geometry);

    std::array<Row, kMaxTopics> rows_;
};

}  // namespace qv
