#pragma once

// The "Trend Analysis" section of the report page: the first-attempt scores
// of the latest papers, oldest first, as a line over a grid, with the scale
// from 100% at the top to 0% at the bottom beside it.

#include <QFrame>
#include <QLabel>
#include <QPointF>
#include <QRectF>
#include <QWidget>
#include <vector>

#include "report/trend.h"

namespace qv {

// `RC3TrendPlot`. It keeps the points of the last redraw and paints them
// whenever it is painted, so the plot survives covering and resizing.
class TrendPlot : public QFrame {
    Q_OBJECT

public:
    explicit TrendPlot(QWidget* parent);

    void Redraw(const std::vector<TrendPoint>& points);
    const std::vector<TrendPoint>& points() const { return points_; }

    // Where a point lies in the widget: its fractions of the inner area, the
    // bottom row of pixels being 0% and the top row 100%.
    QPointF PlacePoint(double x, double y) const;

    static const QColor kGridColour;
    static const QColor kLineColour;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    std::vector<TrendPoint> points_;
};

// `Label7`: its text lists the scale, one value a line; each value is painted
// level with its line of the plot's grid.
class TrendScale : public QLabel {
    Q_OBJECT

public:
    TrendScale(QWidget* parent, const TrendPlot& plot);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    const TrendPlot& plot_;
};

class TrendSection : public QWidget {
    Q_OBJECT

public:
    explicit TrendSection(QWidget* panel);

    // Clears the plot and draws the trend anew.
    void Redraw(const TrendFigures& trend);

protected:
    void resizeEvent(QResizeEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    void LayOut();

    TrendPlot* RC3TrendPlot = nullptr;
    TrendScale* Label7 = nullptr;
    QLabel* Label8 = nullptr;
    bool laidOut_ = false;
};

}  // namespace qv
