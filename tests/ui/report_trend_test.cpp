// The trend plot of the report page, read from its pixels: the grid, the
// dots with their drop lines and the line joining them, from the trend file
// of the module on show.

#include <QImage>
#include <QTest>

#include "mainwindow/report_trend.h"
#include "ui/look.h"
#include "ui_fixture.h"

namespace {

using qv::TrendPlot;

bool IsLine(QRgb pixel) { return qBlue(pixel) > 200 && qRed(pixel) < 90 && qGreen(pixel) < 90; }
bool IsBlack(QRgb pixel) { return qRed(pixel) < 60 && qGreen(pixel) < 60 && qBlue(pixel) < 60; }
bool IsGrid(QRgb pixel) { return pixel == TrendPlot::kGridColour.rgb(); }

std::string TrendOf(int from, int to) {
    std::string record = "#TRD#";
    for (int v = from; v <= to; ++v) record += ">" + std::to_string(v % 101);
    return record;
}

class ReportTrendTest : public MainWindowTest {
protected:
    // Opens the trend section on a module whose trend record is `record`.
    TrendPlot* ShowTrend(const std::string& record) {
        Prepare(Pack());
        dir_.Write("trend2QEN.txt", record + "\r\n");
        Open();
        QTest::mouseClick(Find("ToolBar02"), Qt::LeftButton);
        QTest::mouseClick(Find("RCBar3"), Qt::LeftButton);
        return Find<TrendPlot>("RC3TrendPlot");
    }
    static QImage Picture(TrendPlot* plot) { return plot->grab().toImage(); }
    // Point k (1..20) of a plot showing `value` there, in the plot's pixels.
    static QPoint At(const TrendPlot* plot, int k, double value) {
        return plot->PlacePoint(k / 21.0, (100 - value) / 100.0).toPoint();
    }
    static int CountLinePixels(const QImage& image) {
        int count = 0;
        for (int y = 0; y < image.height(); ++y) {
            for (int x = 0; x < image.width(); ++x) count += IsLine(image.pixel(x, y));
        }
        return count;
    }
};

TEST_F(ReportTrendTest, AResetTrendDrawsTheGridAlone) {
    TrendPlot* plot = ShowTrend("#TRD#");
    const QImage image = Picture(plot);
    EXPECT_EQ(CountLinePixels(image), 0);
    const QRect inner = plot->contentsRect();
    for (int percent = 10; percent <= 90; percent += 10) {
        const QPoint line = plot->PlacePoint(0.5, (100 - percent) / 100.0).toPoint();
        EXPECT_TRUE(IsGrid(image.pixel(line))) << percent;
        EXPECT_TRUE(IsGrid(image.pixel(inner.left(), line.y()))) << percent;
        EXPECT_TRUE(IsGrid(image.pixel(inner.right(), line.y()))) << percent;
    }
    // Between the grid lines the plot is blank.
    EXPECT_EQ(image.pixel(plot->PlacePoint(0.5, 0.05).toPoint()), qv::kPageColour.rgb());
}

TEST_F(ReportTrendTest, OnePointStandsOnItsDropLineAndIsJoinedToTheCorner) {
    TrendPlot* plot = ShowTrend("#TRD#>40");
    const QImage image = Picture(plot);
    const QPoint point = At(plot, 1, 40);
    const QPoint bottom = At(plot, 1, 0);
    EXPECT_TRUE(IsLine(image.pixel(point)));
    // The drop line, black from just under the dot to the bottom edge.
    for (int y = point.y() + 4; y <= bottom.y(); y += 5) EXPECT_TRUE(IsBlack(image.pixel(point.x(), y))) << y;
    // The line from the bottom left corner passes halfway between it and the point.
    const QPoint corner = plot->PlacePoint(0, 1).toPoint();
    const QPoint half = (corner + point) / 2;
    bool onLine = false;
    for (int dy = -1; dy <= 1; ++dy) onLine = onLine || IsLine(image.pixel(half.x(), half.y() + dy));
    EXPECT_TRUE(onLine);
    // Nothing to the right of the point.
    EXPECT_FALSE(IsLine(image.pixel(At(plot, 3, 40))));
    EXPECT_FALSE(IsBlack(image.pixel(At(plot, 3, 5))));
}

TEST_F(ReportTrendTest, PointsStandAtTheirStepAndHeight) {
    const struct {
        const char* name;
        std::string record;
        std::vector<std::pair<int, double>> points;  // k, value
        int count;
    } cases[] = {
        {"top then bottom", "#TRD#>100>0", {{1, 100}, {2, 0}}, 2},
        {"twenty-five: the latest twenty", TrendOf(1, 25), {{1, 6}, {15, 20}, {20, 25}}, 20},
        {"damaged and overlong entries skipped", TrendOf(1, 70) + ">x>101", {{20, 70}, {1, 51}}, 20},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        TrendPlot* plot = ShowTrend(c.record);
        EXPECT_EQ(plot->points().size(), static_cast<std::size_t>(c.count));
        const QImage image = Picture(plot);
        for (const auto& [k, value] : c.points) EXPECT_TRUE(IsLine(image.pixel(At(plot, k, value)))) << k;
        window_.reset();
    }
}

TEST_F(ReportTrendTest, ThePlotIsDrawnAgainAfterCoveringAndResizing) {
    TrendPlot* plot = ShowTrend("#TRD#>50>90");
    const QImage before = Picture(plot);
    QTest::mouseClick(Find("RCBar1"), Qt::LeftButton);
    QTest::mouseClick(Find("RCBar3"), Qt::LeftButton);
    EXPECT_EQ(Picture(plot), before);

    plot->resize(plot->width() / 2, plot->height() / 2);
    const QImage smaller = Picture(plot);
    EXPECT_TRUE(IsLine(smaller.pixel(At(plot, 1, 50))));
    EXPECT_TRUE(IsLine(smaller.pixel(At(plot, 2, 90))));
}

TEST_F(ReportTrendTest, TheScaleRunsFromTopToBottomBesideThePlot) {
    ShowTrend("#TRD#");
    EXPECT_EQ(Text("Label7"),
              "100%       90%         80%         70%         60%         50%         40%         30%         "
              "20%         10%           0%    ");
    QWidget* scale = Find("Label7");
    QWidget* plot = Find("RC3TrendPlot");
    EXPECT_LE(scale->geometry().right(), plot->geometry().left());
    EXPECT_LE(scale->y(), plot->y());
    EXPECT_GE(scale->geometry().bottom(), plot->geometry().bottom());
    QWidget* caption = Find("Label8");
    EXPECT_GE(caption->y(), plot->geometry().bottom());
    EXPECT_LE(caption->geometry().bottom(), Find("RC3Trend")->height());
}

}  // namespace
