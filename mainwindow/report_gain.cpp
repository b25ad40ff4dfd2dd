#include "mainwindow/report_gain.h"

#include <QPainter>
#include <algorithm>

#include "mainwindow/page_kit.h"
#include "ui/clickable_label.h"
#include "ui/picture_button.h"
#include "ui/record_text.h"
#include "ui/units.h"

namespace qv {

const QColor GainSection::kRightFirstColour(122, 170, 232);
const QColor GainSection::kPutRightColour(137, 204, 128);
const QColor GainSection::kStillWrongColour(236, 150, 120);

namespace {

const QString kMistakesOff = QStringLiteral("mistakes_off.bmp");
const QString kMistakesOn = QStringLiteral("mistakes_on.bmp");

// Pixels; the bars line up with the topical chart's first track.
constexpr int kLeft = 10;
constexpr int kKeyTop = 8;
constexpr int kKeyHeight = 16;
constexpr int kRowsTop = 40;
constexpr int kRowStep = 24;
constexpr int kBarHeight = 18;
constexpr int kSentenceHeight = 36;
constexpr int kButtonWidth = 96;
constexpr int kButtonHeight = 25;
constexpr int kBarLeftTwips = 3120;
const QColor kTrackEdgeColour(170, 178, 190);
const QColor kCountColour(20, 30, 45);

// A key entry: a swatch and its words.
void AddKey(QWidget* parent, int index, const QColor& colour, const QString& words, int& x) {
    auto* swatch = new QLabel(parent);
    swatch->setObjectName(NumberedName("GainKeyColour", index));
    Fill(swatch, colour);
    swatch->setFrameStyle(QFrame::Box | QFrame::Plain);
    SetTextColour(swatch, kTrackEdgeColour);
    swatch->setGeometry(x, kKeyTop + 3, 12, 12);
    QLabel* label = MakeLabel(parent, NumberedName("GainKey", index), words, UiFont(7.5));
    label->adjustSize();
    label->move(x + 16, kKeyTop + (kKeyHeight - label->height()) / 2 + 1);
    x += 16 + label->width() + 12;
}

QString CountsWords(const TopicGain& g) {
    return QStringLiteral("Right first time: %1. Put right: %2. Still wrong: %3.")
        .arg(g.rightFirst)
        .arg(g.putRight)
        .arg(g.stillWrong);
}

}  // namespace

GainBar::GainBar(QWidget* parent) : QWidget(parent) {}

void GainBar::SetCounts(const TopicGain& gain) {
    gain_ = gain;
    setToolTip(CountsWords(gain));
    setAccessibleDescription(CountsWords(gain));
    update();
}

void GainBar::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    const QRect inner = rect().adjusted(1, 1, -1, -1);
    painter.fillRect(rect(), QColor(244, 246, 250));
    const int parts = gain_.parts();
    if (parts > 0) {
        const std::array<std::pair<int, QColor>, 3> pieces = {{{gain_.rightFirst, GainSection::kRightFirstColour},
                                                               {gain_.putRight, GainSection::kPutRightColour},
                                                               {gain_.stillWrong, GainSection::kStillWrongColour}}};
        painter.setFont(UiFont(7, true));
        int done = 0;
        for (const auto& [count, colour] : pieces) {
            const int left = inner.left() + inner.width() * done / parts;
            done += count;
            const int right = inner.left() + inner.width() * done / parts;
            if (right <= left) continue;
            const QRect piece(left, inner.top(), right - left, inner.height());
            painter.fillRect(piece, colour);
            const QString text = QString::number(count);
            if (painter.fontMetrics().horizontalAdvance(text) + 4 <= piece.width()) {
                painter.setPen(kCountColour);
                painter.drawText(piece, Qt::AlignCenter, text);
            }
        }
    }
    painter.setPen(kTrackEdgeColour);
    painter.drawRect(rect().adjusted(0, 0, -1, -1));
}

GainSection::GainSection(QWidget* panel, PictureCache& pictures) : QWidget(panel) {
    int x = kLeft;
    AddKey(this, 1, kRightFirstColour, QStringLiteral("Right first time"), x);
    AddKey(this, 2, kPutRightColour, QStringLiteral("Put right"), x);
    AddKey(this, 3, kStillWrongColour, QStringLiteral("Still wrong"), x);

    for (int t = 1; t <= kMaxTopics; ++t) {
        Row& row = rows_[static_cast<std::size_t>(t - 1)];
        row.name = MakeLabel(this, NumberedName("GainLab", t), QString(), UiFont(8.5));
        row.bar = new GainBar(this);
        row.bar->setObjectName(NumberedName("GainBar", t));
        row.name->hide();
        row.bar->hide();
    }
    sentence_ = MakeLabel(this, QStringLiteral("GainSentence"), QString(), UiFont(8.5, true));
    sentence_->setWordWrap(true);
    sentence_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    SetTextColour(sentence_, kHeadingColour);

    mistakes_ = new PictureButton(QStringLiteral("ButMistakes"), pictures, this);
    mistakes_->SetPicture(kMistakesOff);
    mistakes_->resize(kButtonWidth, kButtonHeight);
    mistakes_->setToolTip(QStringLiteral("Print the parts still wrong after a second attempt"));
    auto* caption = new CaptionLabel(QStringLiteral("ButMistakeslbl"), QStringLiteral("Mistakes"), mistakes_);
    caption->setFont(TextFont(9));
    caption->setAlignment(Qt::AlignVCenter | Qt::AlignLeft);
    caption->setIndent(28);
    caption->setGeometry(0, 0, kButtonWidth, kButtonHeight);
    connect(mistakes_, &PictureButton::clicked, this, &GainSection::mistakesClicked);
}

void GainSection::Show(const LearningGain& gain, const std::array<TopicRow, kMaxTopics>& rows) {
    for (std::size_t i = 0; i < rows_.size(); ++i) {
        const TopicGain& g = gain.topics[i];
        rows_[i].name->setText(FromRecord(rows[i].name));
        rows_[i].bar->SetCounts(g);
        rows_[i].name->setVisible(g.shown());
        rows_[i].bar->setVisible(g.shown());
    }
    sentence_->setText(FromRecord(gain.sentence));
    Arrange();
}

void GainSection::Tick(QPoint cursor) {
    if (mistakes_->isVisible()) SetHoverPicture(*mistakes_, cursor, kMistakesOff, kMistakesOn);
}

void GainSection::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    Arrange();
}

// Shown rows stack from the top; the sentence follows the last of them.
void GainSection::Arrange() {
    const int barLeft = TwipsToPixels(kBarLeftTwips);
    const int barWidth = std::max(40, width() - barLeft - 14);
    const int shown = static_cast<int>(std::count_if(rows_.begin(), rows_.end(), [](const Row& r) { return !r.bar->isHidden(); }));
    // Ten topics still leave room for the sentence: the rows close up.
    const int room = height() - kRowsTop - kSentenceHeight - 6;
    const int step = shown > 0 ? std::clamp(room / shown, kRowStep - 6, kRowStep) : kRowStep;
    const int barHeight = kBarHeight - (kRowStep - step);
    int top = kRowsTop;
    for (Row& row : rows_) {
        if (row.bar->isHidden()) continue;
        row.name->setGeometry(kLeft, top, barLeft - kLeft - 6, barHeight);
        row.bar->setGeometry(barLeft, top, barWidth, barHeight);
        top += step;
    }
    sentence_->setGeometry(kLeft, top + 6, width() - 2 * kLeft, kSentenceHeight);
    mistakes_->move(width() - kButtonWidth - 14, kKeyTop - 4);
}

}  // namespace qv
