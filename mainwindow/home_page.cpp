#include "mainwindow/home_page.h"

#include <QPainter>

#include "course/navigation.h"
#include "mainwindow/page_kit.h"
#include "ui/clickable_label.h"
#include "ui/record_text.h"
#include "ui/units.h"

namespace qv {

namespace {

// Paper rows: the title, then the first- and second-attempt rows, each as
// high as a load button so that the buttons of one paper never overlap.
constexpr int kRowsTop = 62;
constexpr int kPaperStep = 60;
constexpr int kTitleHeight = 15;
constexpr int kAttemptHeight = 22;
constexpr int kAttemptGap = 1;

int AttemptTop(int paper, int attempt) {
    return kRowsTop + (paper - 1) * kPaperStep + kTitleHeight + (attempt - 1) * (kAttemptHeight + kAttemptGap);
}

}  // namespace

// The column of "%" signs after the scores: one sign beside each score shown.
class PercentColumn : public QLabel {
public:
    explicit PercentColumn(QWidget* parent)
        : QLabel(QStringLiteral("% %         % %         % %         % %         % %"), parent) {
        setObjectName(QStringLiteral("Percent1a"));
    }
    std::vector<QLabel*> scores;

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter painter(this);
        painter.setFont(font());
        painter.setPen(palette().color(QPalette::WindowText));
        for (QLabel* score : scores) {
            if (score->text().isEmpty()) continue;
            const QRect row(0, score->y() - y(), width(), score->height());
            painter.drawText(row, Qt::AlignLeft | Qt::AlignVCenter, QStringLiteral("%"));
        }
    }
};

HomePage::HomePage(QWidget* parent, PictureCache& pictures) : QWidget(parent), pictures_(pictures) {
    DressPage(this, QStringLiteral("Body_Home"));
    PictureLabel(this, QStringLiteral("ColHead1"), pictures_.Get(QStringLiteral("columnhead1.bmp")), {8, 8, 180, 24});
    PictureLabel(this, QStringLiteral("ColHead2"), pictures_.Get(QStringLiteral("columnhead2.bmp")), {200, 8, 186, 24});
    auto* label12 = MakeLabel(this, QStringLiteral("Label12"), QStringLiteral("Select a Topic"), UiFont(9, true));
    label12->setGeometry(16, 8, 170, 24);
    auto* label13 = MakeLabel(this, QStringLiteral("Label13"), QStringLiteral("Select a Paper"), UiFont(9, true));
    label13->setGeometry(208, 8, 170, 24);
    for (QLabel* head : {label12, label13}) SetTextColour(head, kHeadingColour);

    const QPixmap& handPicture = pictures_.Get(QStringLiteral("hand.ico"));
    const QCursor hand = handPicture.isNull() ? QCursor(Qt::PointingHandCursor)
                                              : QCursor(handPicture, handPicture.width() / 3, 0);
    for (int k = 1; k <= 10; ++k) {
        const int y = 40 + (k - 1) * 30;
        bullets_[k - 1] = PictureLabel(this, NumberedName("Bullet", k), pictures_.Get(QStringLiteral("bullet.bmp")),
                                       {12, y + 8, 9, 9});
        auto* topic = new ClickableLabel(this);
        topic->setObjectName(NumberedName("Topic", k));
        topic->setFont(UiFont(9));
        topic->setGeometry(26, y, 164, 25);
        topic->setIndent(6);
        topic->setAutoFillBackground(true);
        topic->setCursor(hand);
        connect(topic, &ClickableLabel::clicked, this, [this, k] { emit topicClicked(k); });
        topics_[k - 1] = topic;
    }

    SubH1 = MakeLabel(this, QStringLiteral("SubH1"), QStringLiteral("Select a Paper"), UiFont(9.5, true));
    SubH1->setGeometry(204, 38, 186, 20);
    SetTextColour(SubH1, kHeadingColour);

    Percent1a = new PercentColumn(this);
    Percent1a->setFont(UiFont(8.5));
    for (int j = 1; j <= 5; ++j) {
        const int title = kRowsTop + (j - 1) * kPaperStep;
        MakeLabel(this, NumberedName("LblP", j), QStringLiteral("Paper %1").arg(j), UiFont(8.5, true))
            ->setGeometry(204, title, 120, kTitleHeight);
        const char* captions[] = {"1st Attempt:", "2nd Attempt:"};
        const char* names[] = {"LblA", "LblB"};
        for (int attempt = 1; attempt <= 2; ++attempt) {
            const int top = AttemptTop(j, attempt);
            MakeLabel(this, NumberedName(names[attempt - 1], j), QString::fromLatin1(captions[attempt - 1]),
                      UiFont(8.5))
                ->setGeometry(214, top, 90, kAttemptHeight);
            QLabel* score = MakeLabel(this, NumberedName(attempt == 1 ? "MSA" : "MSB", j), QString(), UiFont(8.5, true));
            score->setGeometry(330, top, 10, kAttemptHeight);
            (attempt == 1 ? msa_ : msb_)[j - 1] = score;
            Percent1a->scores.push_back(score);

            const QString name = QStringLiteral("P%1%2").arg(j).arg(attempt == 1 ? 'a' : 'b');
            auto* button = new PictureButton(name, pictures_, this);
            button->SetPicture(QStringLiteral("loadbutton_off.bmp"));
            button->move(356, top + (kAttemptHeight - button->height()) / 2);
            button->setToolTip(attempt == 1 ? QStringLiteral("Load paper %1").arg(j)
                                            : QStringLiteral("Try paper %1 again").arg(j));
            const Attempt which = attempt == 1 ? Attempt::First : Attempt::Second;
            connect(button, &PictureButton::clicked, this, [this, j, which] { emit paperClicked(j - 1, which); });
            (attempt == 1 ? paperA_ : paperB_)[j - 1] = button;
        }
    }
    Percent1a->setGeometry(334, kRowsTop, 14, 5 * kPaperStep);
    Percent1a->lower();

    noCourse_ = MakeLabel(this, QStringLiteral("NoCourse"), QString(), UiFont(10));
    noCourse_->setWordWrap(true);
    noCourse_->setAlignment(Qt::AlignCenter);
    noCourse_->hide();
}

void HomePage::ShowTopics(const std::vector<std::string>& names, int count) {
    for (int k = 1; k <= 10; ++k) {
        const std::size_t index = static_cast<std::size_t>(k - 1);
        topics_[index]->setText(index < names.size() ? FromRecord(names[index]) : QString());
        const bool shown = k <= count;
        topics_[index]->setVisible(shown);
        bullets_[index]->setVisible(shown);
    }
}

void HomePage::ShowPapers(const QString& heading, const std::array<RecordText, 5>& first,
                          const std::array<RecordText, 5>& second) {
    for (std::size_t j = 0; j < 5; ++j) {
        msa_[j]->setText(ShownFigure(first[j]));
        msb_[j]->setText(ShownFigure(second[j]));
        offersSecond_[j] = OffersSecondAttempt(first[j]);
    }
    SubH1->setText(heading);
    ShowPaperButtons();
}

void HomePage::ShowPaperButtons() {
    const int gap = TwipsToPixels(20);
    // The width follows the text; the height stays the row's, so the score
    // shares its baseline with the row's caption.
    auto place = [&](QLabel* score) {
        const int width = score->text().isEmpty() ? 1 : score->sizeHint().width();
        score->setGeometry(score->text().isEmpty() ? Percent1a->x() : Percent1a->x() - width - gap, score->y(),
                           width, kAttemptHeight);
    };
    for (int j = 0; j < 5; ++j) {
        place(msa_[j]);
        paperB_[j]->setVisible(offersSecond_[static_cast<std::size_t>(j)]);
        paperA_[j]->setVisible(true);
    }
    for (QLabel* score : msb_) place(score);
    Percent1a->update();
}

void HomePage::Highlight(const QLabel* selected) {
    const QColor highlightText = palette().color(QPalette::HighlightedText);
    for (QLabel* topic : topics_) {
        QPalette palette = topic->palette();
        const bool chosen = topic == selected;
        palette.setColor(QPalette::Window, chosen ? QColor(128, 128, 128) : highlightText);
        palette.setColor(QPalette::WindowText, chosen ? highlightText : QColor(Qt::black));
        topic->setPalette(palette);
    }
}

void HomePage::ShowNoCourse(const QString& words) {
    for (QWidget* child : findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) child->hide();
    noCourse_->setText(words);
    noCourse_->setGeometry(24, 40, parentWidget()->width() - 52, 200);
    noCourse_->show();
}

void HomePage::Tick(QPoint cursor) {
    for (int j = 0; j < 5; ++j) {
        for (PictureButton* button : {paperA_[j], paperB_[j]}) {
            if (button->isVisible()) {
                SetHoverPicture(*button, cursor, QStringLiteral("loadbutton_off.bmp"),
                                QStringLiteral("loadbutton_on.bmp"));
            }
        }
    }
}

}  // namespace qv
