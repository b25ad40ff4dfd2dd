#include "mainwindow/report_trend.h"

#include <QPainter>
#include <algorithm>

#include "mainwindow/page_kit.h"
#include "ui/units.h"

namespace qv {

const QColor TrendPlot::kGridColour(224, 224, 224);
const QColor TrendPlot::kLineColour(0, 0, 255);

namespace {

// The plot's size in twips; the dots are 30 rings of 1 to 30 twips.
constexpr int kPlotWidth = 5055;
constexpr int kPlotHeight = 3975;
constexpr int kDotRings = 30;
// Pixels.
constexpr int kTop = 8;
constexpr int kScaleWidth = 40;
constexpr int kScaleGap = 4;
constexpr int kCaptionHeight = 18;

const char* const kScaleText =
    "100%       90%         80%         70%         60%         50%         40%         30%         20%         "
    "10%           0%    ";

}  // namespace

TrendPlot::TrendPlot(QWidget* parent) : QFrame(parent) {
    setObjectName(QStringLiteral("RC3TrendPlot"));
    setFrameStyle(QFrame::Box | QFrame::Plain);
    setLineWidth(1);
    Fill(this, kPageColour);
    SetTextColour(this, QColor(150, 150, 150));
}

void TrendPlot::Redraw(const std::vector<TrendPoint>& points) {
    points_ = points;
    update();
}

QPointF TrendPlot::PlacePoint(double x, double y) const {
    const QRectF inner = contentsRect();
    return {inner.left() + x * inner.width(), inner.top() + y * (inner.height() - 1)};
}

void TrendPlot::paintEvent(QPaintEvent* event) {
    QFrame::paintEvent(event);
    QPainter painter(this);
    const QRect inner = contentsRect();
    painter.setClipRect(inner);
    painter.fillRect(inner, kPageColour);

    // The grid and the drop lines on whole pixels, so they stay sharp.
    painter.setPen(QPen(kGridColour, 0));
    for (int percent = 10; percent <= 90; percent += 10) {
        const int y = PlacePoint(0, (100 - percent) / 100.0).toPoint().y();
        painter.drawLine(inner.left(), y, inner.right(), y);
    }

    const double ring = LogicalDpi() / 1440.0;  // one twip in pixels
    const QPointF corner = PlacePoint(0, 1);
    QPointF previous = corner;
    for (const TrendPoint& point : points_) {
        const QPointF at = PlacePoint(point.x, point.y);
        painter.setRenderHint(QPainter::Antialiasing, false);
        painter.setPen(QPen(Qt::black, 0));
        painter.drawLine(at.toPoint(), QPoint(at.toPoint().x(), corner.toPoint().y()));

        painter.setRenderHint(QPainter::Antialiasing, true);
        painter.setPen(QPen(kLineColour, 0));
        for (int r = 1; r <= kDotRings; ++r) painter.drawEllipse(at, r * ring, r * ring);
        painter.setPen(QPen(kLineColour, 1.5));
        painter.drawLine(previous, at);
        previous = at;
    }
}

TrendScale::TrendScale(QWidget* parent, const TrendPlot& plot)
    : QLabel(QString::fromLatin1(kScaleText), parent), plot_(plot) {
    setObjectName(QStringLiteral("Label7"));
    setWordWrap(true);
    setFont(UiFont(7.5));
}

void TrendScale::paintEvent(QPaintEvent*) {
    const QStringList values = text().split(QLatin1Char(' '), Qt::SkipEmptyParts);
    if (values.size() < 2) return;
    QPainter painter(this);
    painter.setFont(font());
    painter.setPen(palette().color(QPalette::WindowText));
    const int line = fontMetrics().height();
    for (qsizetype i = 0; i < values.size(); ++i) {
        const double share = static_cast<double>(i) / static_cast<double>(values.size() - 1);
        const int y = mapFromGlobal(plot_.mapToGlobal(plot_.PlacePoint(0, share).toPoint())).y();
        painter.drawText(QRect(0, y - line / 2, width() - 2, line), Qt::AlignRight | Qt::AlignVCenter, values[i]);
    }
}

TrendSection::TrendSection(QWidget* panel) : QWidget(panel) {
    RC3TrendPlot = new TrendPlot(this);
    Label7 = new TrendScale(this, *RC3TrendPlot);
    Label8 = MakeLabel(this, QStringLiteral("Label8"), QStringLiteral("Recent Papers Attempted"), UiFont(8, true));
    Label8->setAlignment(Qt::AlignCenter);
    SetTextColour(Label8, kHeadingColour);
    LayOut();
}

void TrendSection::Redraw(const TrendFigures& trend) { RC3TrendPlot->Redraw(trend.points); }

void TrendSection::resizeEvent(QResizeEvent*) { LayOut(); }

void TrendSection::showEvent(QShowEvent*) {
    if (!laidOut_) LayOut();
}

// The plot at its own size when the section has room, smaller when not; the
// scale beside it and the caption under it, the three centred together. A
// section not on show is laid out when it is first shown.
void TrendSection::LayOut() {
    laidOut_ = isVisible();
    if (!laidOut_) return;
    const int line = Label7->fontMetrics().height();
    const int width = std::min(TwipsToPixels(kPlotWidth), std::max(60, this->width() - kScaleWidth - kScaleGap - 16));
    const int height =
        std::min(TwipsToPixels(kPlotHeight), std::max(60, this->height() - kTop - kCaptionHeight - 4));
    const int left = std::max(0, (this->width() - kScaleWidth - kScaleGap - width) / 2) + kScaleWidth + kScaleGap;
    RC3TrendPlot->setGeometry(left, kTop, width, height);
    Label7->setGeometry(left - kScaleGap - kScaleWidth, kTop - line, kScaleWidth, height + 2 * line);
    Label8->setGeometry(left, kTop + height + 2, width, kCaptionHeight);
}

}  // namespace qv
