#include "practicewindow/practice_chrome.h"

#include <QDate>
#include <QLocale>

#include "practicewindow/answer_sheet.h"
#include "practicewindow/question_list.h"
#include "ui/look.h"
#include "ui/skin_frame.h"
#include "ui/widget_kit.h"
#include "ui/units.h"

namespace qv {

namespace {

constexpr int kStripHeight = 62;   // toolbar strip, pixels
constexpr int kStatusHeight = 24;  // status strip under the page, pixels
// Inside a status panel: room before the first words, between words, after the last.
constexpr int kPanelStart = 6, kPanelGap = 4, kPanelEnd = 4;
constexpr const char* kCaptions[] = {"Save", "Mark", "Print", "Close", "Back", "Next"};
constexpr const char* kPictures[] = {"save", "mark", "print", "close", "back", "forward"};

QFont Font(double points, bool bold = false) { return UiFont(points, bold); }

QLabel* Text(QWidget* parent, const QString& name, const QString& text, const QFont& font) {
    QLabel* label = MakeLabel(parent, name, text, font);
    SetTextColour(label, kHeadingColour);
    return label;
}


}  // namespace

QLabel* PracticeChrome::Panel(const QString& name, const QString& picture, QWidget* parent) {
    auto* panel = new QLabel(parent);
    panel->setObjectName(name);
    panel->setPixmap(pictures_.Get(picture));
    panel->setScaledContents(true);
    panel->resize(200, kStatusHeight);
    return panel;
}

PracticeChrome::PracticeChrome(QWidget* host, PictureCache& pictures, Attempt which)
    : host_(host), pictures_(pictures) {
    ScnTabBG = new QWidget(host);
    ScnTabBG->setObjectName(QStringLiteral("ScnTabBG"));
    Fill(ScnTabBG, kStripColour);
    ScnTabBG->resize(400, kStripHeight);
    for (int i = 0; i < kButtons; ++i) {
        const QString name = TwoDigitName("ToolBar", i + 1);
        auto* button = new PictureButton(name, pictures_, ScnTabBG);
        button->SetPicture(QString::fromLatin1(kPictures[i]) + QStringLiteral("_off.bmp"));
        button->move(0, (kStripHeight - button->height()) / 2);
        auto* label = new CaptionLabel(TwoDigitName("lblTB", i + 1), QString::fromLatin1(kCaptions[i]), button);
        label->setFont(Font(8));
        SetTextColour(label, kHeadingColour);
        label->setGeometry(0, button->height() - 17, button->width(), 15);
        toolBar[i] = button;
        toolBarLabels[i] = label;
    }

    PaperSum = new QLabel(ScnTabBG);
    PaperSum->setObjectName(QStringLiteral("PaperSum"));
    PaperSum->setPixmap(pictures_.Get(QStringLiteral("pen.bmp")));
    PaperSum->adjustSize();
    PaperSum->move(0, (kStripHeight - PaperSum->height()) / 2);
    auto* scoreCaption = Text(PaperSum, QStringLiteral("ScoreCaption"), QStringLiteral("Score"), Font(8));
    scoreCaption->setGeometry(14, 6, 120, 14);
    PScoring = Text(PaperSum, QStringLiteral("PScoring"), QString(), Font(16, true));
    PScoring->setToolTip(QStringLiteral("Your score"));
    PScoring->setGeometry(14, 20, 170, 28);
    Scoring = Text(PaperSum, QStringLiteral("Scoring"), QString(), Font(8));
    Scoring->hide();
    PercentSign = Text(PaperSum, QStringLiteral("PercentSign"), QStringLiteral("%"), Font(12, true));
    PercentSign->hide();

    QnTitleBG = new QWidget(host);
    QnTitleBG->setObjectName(QStringLiteral("QnTitleBG"));
    Fill(QnTitleBG, QColor(231, 239, 250));
    QnTitle = Text(QnTitleBG, QStringLiteral("QnTitle"), QStringLiteral("Question 1"), Font(10, true));
    QnTitle->move(10, 3);

    RemQnsBG = new QWidget(host);
    RemQnsBG->setObjectName(QStringLiteral("RemQnsBG"));
    Fill(RemQnsBG, kStripColour);
    RemQnsBG->resize(400, kStatusHeight);
    TxtRem = Panel(QStringLiteral("TxtRem"), QStringLiteral("bottombg2.bmp"), RemQnsBG);
    TxtRemlbl = Text(TxtRem, QStringLiteral("TxtRemlbl"), QStringLiteral("Qns left:"), Font(8));
    // As narrow as its words and a two-digit number, so the status panels keep their room.
    const int captionWidth = TxtRemlbl->fontMetrics().horizontalAdvance(TxtRemlbl->text()) + 6;
    TxtRemlbl->setGeometry(kPanelStart, 0, captionWidth, kStatusHeight);
    RemQns = new QuestionList(TxtRem);
    RemQns->setObjectName(QStringLiteral("RemQns"));
    RemQns->setToolTip(QStringLiteral("Select a remaining question"));
    RemQns->setFont(Font(8));
    RemQns->setGeometry(kPanelStart + captionWidth, 2, 52, kStatusHeight - 4);
    TxtRem->resize(RemQns->x() + RemQns->width() + kPanelStart, kStatusHeight);

    const bool secondAttempt = which == Attempt::Second;
    Bot1 = Panel(QStringLiteral("Bot1"), secondAttempt ? QStringLiteral("bottombg1.bmp") : QStringLiteral("bottombg3.bmp"),
                 RemQnsBG);
    Bot2 = Panel(QStringLiteral("Bot2"), QStringLiteral("bottombg3.bmp"), RemQnsBG);
    Bot3 = Panel(QStringLiteral("Bot3"), QStringLiteral("bottombg3.bmp"), RemQnsBG);
    if (secondAttempt) {
        Text(Bot1, QStringLiteral("SecondAttemptLabel"), QStringLiteral("Second Attempt"), Font(8, true))
            ->setGeometry(kPanelStart, 0, 150, kStatusHeight);
        Bot2->hide();
        statusPanels_ = {Bot1, Bot3};
    } else {
        statusPanels_ = {Bot1, Bot2, Bot3};
        Text(Bot1, QStringLiteral("ClockCaption"), QStringLiteral("Time:"), Font(8));
        lblClock = Text(Bot1, QStringLiteral("lblClock"), QStringLiteral("00:00:00"), Font(8, true));
        lblClock->setToolTip(QStringLiteral("Clock"));
        lblClock->setProperty("widest", QStringLiteral("00:00:00"));
        LTime = Text(Bot1, QStringLiteral("LTime"), QString(), Font(8, true));
        LTime->setToolTip(QStringLiteral("Time taken"));
        LTime->setProperty("over", QStringLiteral("lblClock"));
        LTime->hide();
        Text(Bot3, QStringLiteral("DateCaption"), QStringLiteral("Date:"), Font(8));
        lblDate = Text(Bot3, QStringLiteral("lblDate"), QString(), Font(8, true));
        lblDate->setToolTip(QStringLiteral("Today's date"));
        lblDate->setProperty("widest", QLocale().toString(QDate(2026, 12, 28), QLocale::ShortFormat));
        ETime = Text(Bot3, QStringLiteral("ETime"), QString(), Font(8, true));
        ETime->setToolTip(QStringLiteral("Date completed"));
        ETime->setProperty("over", QStringLiteral("lblDate"));
        ETime->hide();
    }
    QWidget* counts = secondAttempt ? Bot3 : Bot2;
    lblAnsweredQ = Text(counts, QStringLiteral("lblAnsweredQ"), QStringLiteral("0"), Font(8, true));
    lblAnsweredQ->setToolTip(QStringLiteral("Number of parts answered"));
    lblAnsweredQ->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    lblAnsweredQ->setProperty("widest", QStringLiteral("00"));
    Text(counts, QStringLiteral("CountSeparator"), QStringLiteral("of"), Font(8));
    lblTotalQ = Text(counts, QStringLiteral("lblTotalQ"), QString(), Font(8, true));
    lblTotalQ->setToolTip(QStringLiteral("Total number of parts"));
    lblTotalQ->setProperty("widest", QStringLiteral("00"));
    Text(counts, QStringLiteral("CountCaption"), QStringLiteral("parts answered"), Font(8));

    fmeMark = Panel(QStringLiteral("fmeMark"), QStringLiteral("bottombg4.bmp"), RemQnsBG);
    fmeMark->resize(8 + kBars * 13, kStatusHeight);
    for (int k = 0; k < kBars; ++k) {
        auto* bar = new QLabel(fmeMark);
        bar->setObjectName(TwoDigitName("imgBar", k + 1));
        bar->setPixmap(pictures_.Get(QStringLiteral("progressbar.bmp")));
        bar->setScaledContents(true);
        bar->setGeometry(5 + k * 13, 4, 12, 16);
        bar->hide();
        imgBar[k] = bar;
    }
    fmeMark->hide();

    PicHideAns = new QWidget(host);
    PicHideAns->setObjectName(QStringLiteral("PicHideAns"));
    Fill(PicHideAns, kStripColour);
    PicHideAns->resize(12, 100);
    ImgHandle = new ClickableLabel(PicHideAns);
    ImgHandle->setObjectName(QStringLiteral("ImgHandle"));
    ImgHandle->setPixmap(pictures_.Get(QStringLiteral("Handle.bmp")));
    ImgHandle->adjustSize();
    ImgHandle->setToolTip(QStringLiteral("Hide answer sheet"));
    ImgHandle->setCursor(Qt::PointingHandCursor);
}

void PracticeChrome::ShowScore(const QString& percent) {
    PScoring->setText(percent);
    PScoring->adjustSize();
    PercentSign->adjustSize();
    PercentSign->move(PScoring->x() + PScoring->width() + 1,
                      PScoring->y() + PScoring->height() - PercentSign->height() - 3);
    PercentSign->setVisible(!percent.isEmpty());
}

void PracticeChrome::Layout(const SkinFrame& frame, QWidget* page, AnswerSheet* sheet, bool sheetShown) {
    const int w = host_->width();
    const int h = host_->height();
    const int left = frame.BLeft->width();
    const int right = frame.BRight->width();
    const int bottom = frame.BBot->height();
    ScnTabBG->setGeometry(left, frame.BTopLeft->height(), w - left - right, kStripHeight);
    const int gap = TwipsToPixels(120);
    int x = gap;
    for (int i = 0; i < 4; ++i) {
        toolBar[i]->move(x, toolBar[i]->y());
        x += toolBar[i]->width() + gap;
    }
    toolBar[5]->move(ScnTabBG->width() - toolBar[5]->width() - gap, toolBar[5]->y());
    toolBar[4]->move(toolBar[5]->x() - toolBar[4]->width() - gap, toolBar[4]->y());
    // The score panel stands at its place from the right edge, but never
    // over the Back button or the left group.
    const int natural = pictures_.Get(QStringLiteral("pen.bmp")).width();
    const int sumLeft = std::max(x, std::min(w - TwipsToPixels(4095), toolBar[4]->x() - gap - natural));
    const int sumWidth = std::min(natural, toolBar[4]->x() - gap - sumLeft);
    PaperSum->setScaledContents(sumWidth != natural);
    PaperSum->setGeometry(sumLeft, PaperSum->y(), std::max(sumWidth, 0), PaperSum->height());
    PaperSum->setVisible(sumWidth >= natural / 2);

    const int top = ScnTabBG->y() + ScnTabBG->height();
    const int bodyHeight = h - top - bottom;
    sheet->setGeometry(sheetShown ? w - right - sheet->width() : w, top, sheet->width(), bodyHeight);
    // A scroll bar at the window's right edge stops above the size grip.
    const int gripTop = frame.Sizer ? frame.Sizer->y() : h;
    sheet->Relayout(sheetShown ? top + bodyHeight - gripTop : 0);
    PicHideAns->setGeometry(sheetShown ? sheet->x() - PicHideAns->width() : w - right - PicHideAns->width(), top,
                            PicHideAns->width(), bodyHeight);
    ImgHandle->move((PicHideAns->width() - ImgHandle->width()) / 2, (bodyHeight - ImgHandle->height()) / 2);
    const int pageWidth = w - left - right - PicHideAns->width() - (sheetShown ? sheet->width() : 0);
    // The question title stands above the page (a page of rich text cannot
    // keep a margin free under a title lying over it).
    QnTitleBG->setGeometry(left + HimetricToPixels(320), top + HimetricToPixels(120),
                           pageWidth - HimetricToPixels(640), QnTitle->sizeHint().height() + 6);
    QnTitle->resize(QnTitleBG->width() - 20, QnTitle->sizeHint().height());
    const int pageTop = QnTitleBG->y() + QnTitleBG->height() + HimetricToPixels(60);
    page->setGeometry(left, pageTop, pageWidth, top + bodyHeight - kStatusHeight - pageTop);
    RemQnsBG->setGeometry(left, page->y() + page->height(), pageWidth, kStatusHeight);
    LayStatusStrip();
    QnTitleBG->raise();
}

// Remaining questions at the left, the status panels at the right, each as
// wide as its words: as many of them as fit whole, kept from the left (a
// panel with too little room is left out rather than cut). The progress panel
// lies over the remaining questions while a paper is marked.
void PracticeChrome::LayStatusStrip() {
    const int w = RemQnsBG->width();
    TxtRem->move(0, 0);
    std::vector<int> widths;
    for (QLabel* panel : statusPanels_) widths.push_back(panelWidth(panel));
    std::size_t kept = 0;
    for (int used = 0; kept < widths.size() && used + widths[kept] <= w - TxtRem->width(); ++kept) used += widths[kept];
    int x = w;
    for (std::size_t i = statusPanels_.size(); i-- > 0;) {
        statusPanels_[i]->setVisible(i < kept);
        if (i >= kept) continue;
        x -= widths[i];
        statusPanels_[i]->setGeometry(x, 0, widths[i], kStatusHeight);
    }
    // The progress panel keeps clear of the status panels: narrower bars when room is short.
    const int room = std::max(TxtRem->width(), x);
    const int step = std::clamp((room - 8) / kBars, 4, 13);
    fmeMark->setGeometry(0, 0, std::min(8 + kBars * 13, 8 + kBars * step), kStatusHeight);
    for (int k = 0; k < kBars; ++k) imgBar[k]->setGeometry(5 + k * step, 4, step - 1, 16);
}

// Lays a panel's labels side by side and gives the width they need.
int PracticeChrome::panelWidth(QLabel* panel) {
    int x = kPanelStart;
    for (QLabel* label : panel->findChildren<QLabel*>(QString(), Qt::FindDirectChildrenOnly)) {
        // A label shown in another's place takes its place.
        const QString over = label->property("over").toString();
        if (!over.isEmpty()) {
            if (auto* other = panel->findChild<QLabel*>(over)) {
                label->setFixedSize(other->size());
                label->move(other->pos());
            }
            continue;
        }
        const QString widest = label->property("widest").toString();
        const int width = label->fontMetrics().horizontalAdvance(widest.isEmpty() ? label->text() : widest);
        // A fixed size: a label that shows another time or count asks for no new layout.
        label->setFixedSize(width + 2, kStatusHeight);
        label->move(x, 0);
        x += width + kPanelGap;
    }
    return x + kPanelEnd;
}

}  // namespace qv
