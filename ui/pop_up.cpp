#include "ui/pop_up.h"

#include <algorithm>

#include "ui/look.h"
#include "ui/units.h"

namespace qv {

namespace {

const QString kButtonOff = QStringLiteral("button_off.bmp");
const QString kButtonOn = QStringLiteral("button_on.bmp");

QFont MessageFont() { return TextFont(8.25); }

}  // namespace

frmPopUp::frmPopUp(PictureCache& pictures, const CursorSource& cursor, QString& response, QWidget* parent)
    : QDialog(parent), pictures_(pictures), cursor_(cursor), response_(response) {
    setObjectName(QStringLiteral("frmPopUp"));
    setModal(true);
    setAttribute(Qt::WA_DeleteOnClose, false);
    setFixedSize(TwipsToPixels(3975), TwipsToPixels(2250));
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
    lblMessage->resize(TwipsToPixels(2880), TwipsToPixels(420) + 6);

    But1 = new PictureButton(QStringLiteral("But1"), pictures_, this);
    But2 = new PictureButton(QStringLiteral("But2"), pictures_, this);
    But1_lbl = new CaptionLabel(QStringLiteral("But1_lbl"), QStringLiteral("OK"), But1);
    But2_lbl = new CaptionLabel(QStringLiteral("But2_lbl"), QStringLiteral("Cancel"), But2);
    for (PictureButton* button : {But1, But2}) {
        button->SetPicture(kButtonOff);
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

void frmPopUp::CallPop(const QString& title, const QString& message, int buttons, const QWidget* owner) {
    response_ = QStringLiteral("False");
    frame_->Title->setText(title);
    frame_->Title->adjustSize();
    lblMessage->setText(message);
    // A long message may wrap onto more lines than the design allows for,
    // as far as the buttons.
    const int room = But1->y() - ImgInfo->y() - 6;
    lblMessage->resize(lblMessage->width(),
                       std::clamp(lblMessage->heightForWidth(lblMessage->width()), TwipsToPixels(420), room));
    if (buttons == 1) {
        But1->setVisible(true);
        But2->setVisible(false);
        But1->move((width() - But1->width()) / 2, But1->y());
        But1_lbl->setText(QStringLiteral("OK"));
    } else if (buttons == 2) {
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

void frmPopUp::Tick() {
    const QPoint cursor = cursor_.Pos();
    SetHoverPicture(*But1, cursor, kButtonOff, kButtonOn);
    SetHoverPicture(*But2, cursor, kButtonOff, kButtonOn);
}

void frmPopUp::Answer(bool first) {
    response_ = first ? QStringLiteral("True") : QStringLiteral("False");
    Timer1->stop();
    done(first ? QDialog::Accepted : QDialog::Rejected);
}

void frmPopUp::reject() { Answer(!But2->isVisible()); }

bool AskPopUp(PictureCache& pictures, const CursorSource& cursor, QString& response, const QString& title,
              const QString& message, int buttons, QWidget* owner) {
    frmPopUp dialog(pictures, cursor, response, owner);
    dialog.CallPop(title, message, buttons, owner);
    dialog.exec();
    return response == QStringLiteral("True");
}

}  // namespace qv
