#include "mainwindow/report_topical.h"


#include "mainwindow/page_kit.h"
#include "ui/record_text.h"
#include "ui/units.h"

namespace qv {

const QColor TopicalChart::kFirstBarColour(122, 170, 232);
const QColor TopicalChart::kSecondBarColour(137, 204, 128);

namespace {

// Placement in twips, from the section's left edge.
constexpr int kTrackWidth = 1215;
constexpr int kTrackHeight = 270;
constexpr int kRowStep = 360;
constexpr std::array<int, 2> kColumnLeft = {3120, 4560};
// Pixels.
constexpr int kHeadingTop = 4;
constexpr int kHeadingHeight = 32;
constexpr int kRowsTop = kHeadingTop + kHeadingHeight + 4;
constexpr int kLeft = 10;
constexpr int kMarkIndent = 4;

const QColor kTrackColour(244, 246, 250);
const QColor kTrackEdgeColour(170, 178, 190);
const QColor kMarkColour(20, 30, 45);

}  // namespace

TopicalChart::TopicalChart(QWidget* panel) : QWidget(panel) {

    const int trackWidth = TwipsToPixels(kTrackWidth);
    const char* headings[] = {"First Attempt results", "Second Attempt Score"};
    const char* headingNames[] = {"Label5", "Label6"};
    for (int attempt = 0; attempt < 2; ++attempt) {
        QLabel* heading = MakeLabel(this, QString::fromLatin1(headingNames[attempt]),
                                    QString::fromLatin1(headings[attempt]), UiFont(8, true));
        heading->setWordWrap(true);
        heading->setAlignment(Qt::AlignHCenter | Qt::AlignBottom);
        SetTextColour(heading, kHeadingColour);
        heading->setGeometry(TwipsToPixels(kColumnLeft[attempt]) - 6, kHeadingTop, trackWidth + 12, kHeadingHeight);
    }

    const int step = TwipsToPixels(kRowStep);
    const int trackHeight = TwipsToPixels(kTrackHeight);
    for (int t = 1; t <= kMaxTopics; ++t) {
        Row& row = rows_[static_cast<std::size_t>(t - 1)];
        const int top = kRowsTop + (t - 1) * step;
        row.TopLab = MakeLabel(this, NumberedName("TopLab", t), QString(), UiFont(8.5));
        row.TopLab->setGeometry(kLeft, top, TwipsToPixels(kColumnLeft[0]) - kLeft - 6, trackHeight);
        for (int attempt = 0; attempt < 2; ++attempt) {
            MakeTrack(t, attempt, QRect(TwipsToPixels(kColumnLeft[attempt]), top, trackWidth, trackHeight));
        }
    }
}

// A framed track holding its bar and, over the bar, its mark.
QFrame* TopicalChart::MakeTrack(int t, int attempt, QRect geometry) {
    Row& row = rows_[static_cast<std::size_t>(t - 1)];
    const QString suffix = attempt == 0 ? QStringLiteral("A") : QStringLiteral("B");
    auto* track = new QFrame(this);
    track->setObjectName(NumberedName("TBack", t) + suffix);
    track->setFrameStyle(QFrame::Box | QFrame::Plain);
    track->setLineWidth(1);
    Fill(track, kTrackColour);
    SetTextColour(track, kTrackEdgeColour);
    track->setGeometry(geometry);
    const QRect inner = track->contentsRect();

    auto* bar = new QLabel(track);
    bar->setObjectName(NumberedName("TBar", t) + suffix);
    Fill(bar, attempt == 0 ? kFirstBarColour : kSecondBarColour);
    bar->setGeometry(inner.x(), inner.y(), 0, inner.height());

    QLabel* mark = MakeLabel(track, NumberedName("TMark", t) + suffix, QString(), UiFont(7.5, true));
    mark->setGeometry(inner.adjusted(kMarkIndent, 0, 0, 0));
    mark->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    SetTextColour(mark, kMarkColour);
    mark->raise();

    row.TBack[static_cast<std::size_t>(attempt)] = track;
    row.TBar[static_cast<std::size_t>(attempt)] = bar;
    row.TMark[static_cast<std::size_t>(attempt)] = mark;
    return track;
}

void TopicalChart::ShowTopicBars(QLabel* topicLabel, QLabel* firstMark, QLabel* secondMark, QLabel* firstBar,
                                 QLabel* secondBar, const TopicRow& row) {
    topicLabel->setText(FromRecord(row.name));
    firstMark->setText(ShownFigure(row.firstMark));
    secondMark->setText(ShownFigure(row.secondMark));
    const int firstScale = rows_[0].TBack[0]->contentsRect().width();
    const int secondScale = rows_[0].TBack[1]->contentsRect().width();
    firstBar->resize(qRound(firstScale * row.firstBar), firstBar->height());
    secondBar->resize(qRound(secondScale * row.secondBar), secondBar->height());
    topicLabel->setVisible(true);
    firstBar->setVisible(true);
    secondBar->setVisible(true);
}

void TopicalChart::ShowRow(int t, const TopicRow& row) {
    const Row& controls = rows_[static_cast<std::size_t>(t - 1)];
    ShowTopicBars(controls.TopLab, controls.TMark[0], controls.TMark[1], controls.TBar[0], controls.TBar[1], row);
}

void TopicalChart::ShowRows(const std::array<TopicRow, kMaxTopics>& rows) {
    for (int t = kMaxTopics; t >= 1; --t) {
        const auto index = static_cast<std::size_t>(t - 1);
        const bool shown = rows[index].visible;
        rows_[index].TopLab->setVisible(shown);
        for (QFrame* track : rows_[index].TBack) track->setVisible(shown);
    }
}

}  // namespace qv
