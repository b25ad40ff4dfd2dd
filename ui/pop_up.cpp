#include "ui/pop_up.h"

#include <QGuiApplication>
#include <QKeyEvent>
#include <QRegularExpression>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <algorithm>

#include "ui/look.h"
#include "ui/units.h"

namespace qv {

namespace {

const QString kButtonOff = QStringLiteral("button_off.bmp");
const QString kButtonOn = QStringLiteral("button_on.bmp");

QFont MessageFont() { return TextFont(8.25); }

// The design's box and its message, in twips.
constexpr int kDesignWidthTwips = 3975;
constexpr int kDesignHeightTwips = 2250;
constexpr int kDesignLabelTwips = 2880;

}  // namespace

frmPopUp::frmPopUp(PictureCache& pictures, const CursorSource& cursor, QWidget* parent)
    : QDialog(parent), pictures_(pictures), cursor_(cursor) {
    setObjectName(QStringLiteral("frmPopUp"));
    setModal(true);
    setAttribute(Qt::WA_DeleteOnClose, false);
    setFixedSize(TwipsToPixels(kDesignWidthTwips), TwipsToPixels(kDesignHeightTwips));
    setAutoFillBackground(true);
    QPalette palette = this->palette();
    palette.setColor(QPalette::Window, Qt::white);
    setPalette(palette);

    frame_ = new SkinFrame(this, pictures_, SkinFrame::Kind::Dialog);
    frame_->Title->setText(QStringLiteral("Quorvale"));

    ImgInfo = new QLabel(this);
    ImgInfo->setObjectName(QStringLiteral("ImgInfo"));
    ImgInfo->setPixmap(pictures_.Get(QStringLiteral("info_mark.gif")));
    ImgInfo->resize(TwipsToPixels(480), TwipsToPixels(405));

    lblMessage = new QLabel(this);
    lblMessage->setObjectName(QStringLiteral("lblMessage"));
    lblMessage->setFont(MessageFont());
    lblMessage->setWordWrap(true);
    lblMessage->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    lblMessage->resize(TwipsToPixels(kDesignLabelTwips), TwipsToPixels(420) + 6);

    But1 = new PictureButton(QStringLiteral("But1"), pictures_, this);
    But2 = new PictureButton(QStringLiteral("But2"), pictures_, this);
    But1_lbl = new CaptionLabel(QStringLiteral("But1_lbl"), QStringLiteral("OK"), But1);
    But2_lbl = new CaptionLabel(QStringLiteral("But2_lbl"), QStringLiteral("Cancel"), But2);
    for (PictureButton* button : {But1, But2}) {
        button->SetPicture(kButtonOff);
        button->setFocusPolicy(Qt::StrongFocus);
        button->resize(TwipsToPixels(1200), TwipsToPixels(375));
    }
    for (CaptionLabel* label : {But1_lbl, But2_lbl}) {
        label->setFont(MessageFont());
        label->setGeometry(0, 0, But1->width(), But1->height());
    }
    connect(But1, &PictureButton::clicked, this, [this] { Answer(true); });
    connect(But2, &PictureButton::clicked, this, [this] { Answer(false); });

    // Load step: frame, then the content below the title bar.
    frame_->Layout();
    const int h = height();
    ImgInfo->move(frame_->Title->x(), frame_->BTopRight->y() + frame_->BTopRight->height() + TwipsToPixels(240));
    lblMessage->move(ImgInfo->x() + ImgInfo->width() + TwipsToPixels(150), ImgInfo->y());
    But1->move(TwipsToPixels(480), h - But1->height() - TwipsToPixels(240));
    But2->move(TwipsToPixels(1920), But1->y());

    Timer1 = new QTimer(this);
    Timer1->setObjectName(QStringLiteral("Timer1"));
    Timer1->setInterval(100);
    connect(Timer1, &QTimer::timeout, this, &frmPopUp::Tick);
    Timer1->start();
}

void frmPopUp::CallPop(const QString& title, const QString& message, PopUpButtons buttons, const QWidget* owner) {
    answer_ = false;
    frame_->Title->setText(title);
    frame_->Title->adjustSize();
    lblMessage->setText(message);
    FitMessage(message, owner);
    if (buttons == PopUpButtons::Ok) {
        But1->setVisible(true);
        But2->setVisible(false);
        But1->move((width() - But1->width()) / 2, But1->y());
        But1_lbl->setText(QStringLiteral("OK"));
    } else {
        But1->setVisible(true);
        But2->setVisible(true);
        But1->move(lblMessage->x(), But1->y());
        But2->move(But1->x() + But1->width() + 10, But1->y());
        But1_lbl->setText(QStringLiteral("Yes"));
        But2_lbl->setText(QStringLiteral("No"));
    }
    // A short message is one line, set a little lower beside the icon.
    lblMessage->move(lblMessage->x(), message.size() <= 32 ? ImgInfo->y() + 7 : ImgInfo->y());
    if (owner) {
        const QRect area = owner->frameGeometry();
        move(area.x() + (area.width() - width()) / 2, area.y() + (area.height() - height()) / 2);
    }
}

// The design's box holds a short message; a longer one makes it wider (as
// far as its longest word needs) and taller, up to most of the screen, and
// beyond that the message scrolls.
void frmPopUp::FitMessage(const QString& message, const QWidget* owner) {
    const QScreen* screen = owner && owner->screen() ? owner->screen() : QGuiApplication::primaryScreen();
    const QRect area = screen ? screen->availableGeometry() : QRect(0, 0, 1024, 768);
    const int designWidth = TwipsToPixels(kDesignWidthTwips), designHeight = TwipsToPixels(kDesignHeightTwips);
    const int designLabel = TwipsToPixels(kDesignLabelTwips);
    const QFontMetrics metrics(lblMessage->font());
    int widest = 0;
    for (const QString& word : message.split(QRegularExpression(QStringLiteral("\\s+")), Qt::SkipEmptyParts)) {
        widest = std::max(widest, metrics.horizontalAdvance(word) + 4);
    }
    const int widestLabel = std::max(designLabel, area.width() * 4 / 5 - (designWidth - designLabel));
    const int labelWidth = std::clamp(widest, designLabel, widestLabel);
    const int needed = std::max(lblMessage->heightForWidth(labelWidth), TwipsToPixels(420));
    const int buttonGap = But1->height() + TwipsToPixels(240);
    const int designRoom = designHeight - buttonGap - ImgInfo->y() - 6;
    const int width = designWidth + labelWidth - designLabel;
    const int tallest = std::max(designHeight, area.height() * 4 / 5);
    const int height = std::min(designHeight + std::max(0, needed - designRoom), tallest);
    setFixedSize(width, height);
    frame_->Layout();
    But1->move(But1->x(), height - buttonGap);
    But2->move(But2->x(), But1->y());
    const int room = But1->y() - ImgInfo->y() - 6;
    if (needed <= room) {
        lblMessage->resize(labelWidth, needed);
        return;
    }
    // Longer than most of the screen: the message scrolls.
    if (!scroll_) {
        scroll_ = new QScrollArea(this);
        scroll_->setObjectName(QStringLiteral("MessageScroll"));
        scroll_->setFrameShape(QFrame::NoFrame);
        scroll_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        scroll_->setWidgetResizable(false);
        scroll_->setWidget(lblMessage);
        scroll_->viewport()->setAutoFillBackground(false);
        scroll_->show();
    }
    const int bar = scroll_->verticalScrollBar()->sizeHint().width();
    scroll_->setGeometry(ImgInfo->x() + ImgInfo->width() + TwipsToPixels(150), ImgInfo->y(), labelWidth + bar, room);
    lblMessage->resize(labelWidth, needed);
}

void frmPopUp::Tick() {
    const QPoint cursor = cursor_.Pos();
    // The focused button looks as under the cursor, so the keyboard's place shows.
    for (PictureButton* button : {But1, But2}) {
        if (button->hasFocus()) button->SetPicture(kButtonOn);
        else SetHoverPicture(*button, cursor, kButtonOff, kButtonOn);
    }
}

void frmPopUp::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    But1->setFocus(Qt::OtherFocusReason);
    Tick();
}

// Enter and Space answer the focused button (Yes or OK at first), Escape the
// last one shown (No, or OK when it is alone). A key held down since before
// the box opened (Enter on Mark) repeats into it: a repeat answers nothing.
void frmPopUp::keyPressEvent(QKeyEvent* event) {
    switch (event->key()) {
        case Qt::Key_Return:
        case Qt::Key_Enter:
        case Qt::Key_Space:
            if (!event->isAutoRepeat()) Answer(!But2->hasFocus());
            return;
        case Qt::Key_Left:
        case Qt::Key_Right:
            if (But2->isVisible()) (But1->hasFocus() ? But2 : But1)->setFocus(Qt::TabFocusReason);
            Tick();
            return;
        default:
            QDialog::keyPressEvent(event);
    }
}

void frmPopUp::Answer(bool first) {
    answer_ = first;
    Timer1->stop();
    done(first ? QDialog::Accepted : QDialog::Rejected);
}

void frmPopUp::reject() { Answer(!But2->isVisible()); }

bool AskPopUp(PictureCache& pictures, const CursorSource& cursor, const QString& title, const QString& message,
              PopUpButtons buttons, QWidget* owner) {
    frmPopUp dialog(pictures, cursor, owner);
    dialog.CallPop(title, message, buttons, owner);
    dialog.exec();
    return dialog.answer();
}

}  // namespace qv
