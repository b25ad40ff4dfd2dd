#pragma once

// The "Learning Gain" section of the report page: for each topic with a
// marked second attempt, one bar split into the parts right at the first
// attempt, those put right at the second and those still wrong, under a key
// of the three colours; one sentence below names where a second attempt
// helped most and least. Its "Mistakes" button asks for the sheet of the
// parts still wrong.

#include <QLabel>
#include <QWidget>
#include <array>

#include "course/course_limits.h"
#include "report/learning_gain.h"
#include "report/report_figures.h"

namespace qv {

class PictureButton;
class PictureCache;

// One stacked bar: the three counts side by side, each as wide as its
// share, with the count written on its part when it fits.
class GainBar : public QWidget {
public:
    explicit GainBar(QWidget* parent);
    void SetCounts(const TopicGain& gain);
    const TopicGain& counts() const { return gain_; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    TopicGain gain_;
};

class GainSection : public QWidget {
    Q_OBJECT

public:
    GainSection(QWidget* panel, PictureCache& pictures);

    // The rows of the topics with a second attempt, top down in topic order,
    // and the sentence; names come from the topical rows.
    void Show(const LearningGain& gain, const std::array<TopicRow, kMaxTopics>& rows);
    void Tick(QPoint cursor);

    static const QColor kRightFirstColour;
    static const QColor kPutRightColour;
    static const QColor kStillWrongColour;

signals:
    void mistakesClicked();

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    void Arrange();

    struct Row {
        QLabel* name = nullptr;  // GainLab
        GainBar* bar = nullptr;  // GainBar
    };
    std::array<Row, kMaxTopics> rows_{};
    QLabel* sentence_ = nullptr;  // GainSentence
    PictureButton* mistakes_ = nullptr;  // ButMistakes
};

}  // namespace qv
