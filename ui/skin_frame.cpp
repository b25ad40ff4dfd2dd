#include "ui/skin_frame.h"

#include <QEvent>
#include <QMouseEvent>
#include <QRegion>
#include <QWindow>

#include "ui/units.h"

namespace qv {

namespace {

const QColor kActiveTitle(255, 255, 255);
const QColor kInactiveTitle(128, 128, 128);

}  // namespace

SkinFrame::SkinFrame(QWidget* host, PictureCache& pictures, Kind kind)
    : QObject(host), host_(host), pictures_(pictures), kind_(kind) {
    host_->setWindowFlag(Qt::FramelessWindowHint);
    BTopLeft = Piece(QStringLiteral("BTopLeft"), QStringLiteral("border_top_left.bmp"), false);
    BTopCentre = Piece(QStringLiteral("BTopCentre"), QStringLiteral("border_top_center.bmp"), true);
    BTopRight = Piece(QStringLiteral("BTopRight"), QStringLiteral("border_top_right.bmp"), false);
    BLeft = Piece(QStringLiteral("BLeft"), QStringLiteral("border_left.bmp"), true);
    BRight = Piece(QStringLiteral("BRight"), QStringLiteral("border_right.bmp"), true);
    const bool dialog = kind_ == Kind::Dialog;
    BBotLeft = Piece(QStringLiteral("BBotLeft"),
                     dialog ? QStringLiteral("Border_bot_left.gif") : QStringLiteral("border_left_corners.bmp"), false);
    BBotRight = Piece(QStringLiteral("BBotRight"),
                      dialog ? QStringLiteral("Border_bot_right.gif") : QStringLiteral("border_right_corners.bmp"), false);
    BBot = Piece(QStringLiteral("BBot"), QStringLiteral("border_bot.bmp"), true);

    Title = new QLabel(host_);
    Title->setObjectName(dialog ? QStringLiteral("lblTitle") : QStringLiteral("Title"));
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPointSizeF(9.0);
    font.setBold(true);
    Title->setFont(font);
    Title->setAttribute(Qt::WA_TransparentForMouseEvents, false);
    Title->installEventFilter(this);
    for (QLabel* piece : {BTopLeft, BTopCentre, BTopRight}) piece->installEventFilter(this);

    if (!dialog) {
        ImgIco = new QLabel(host_);
        ImgIco->setObjectName(QStringLiteral("ImgIco"));
        imgProgClose = new PictureButton(QStringLiteral("imgProgClose"), pictures_, host_);
        imgProgMin = new PictureButton(QStringLiteral("imgProgMin"), pictures_, host_);
        imgProgClose->setToolTip(QStringLiteral("Close"));
        imgProgMin->setToolTip(QStringLiteral("Minimise"));
    }
    PaintTitle(true);
}

QLabel* SkinFrame::Piece(const QString& name, const QString& picture, bool stretch) {
    auto* piece = new QLabel(host_);
    piece->setObjectName(name);
    piece->setScaledContents(stretch);
    const QPixmap& pixmap = pictures_.Get(picture);
    piece->setPixmap(pixmap);
    piece->resize(pixmap.isNull() ? QSize(4, 4) : pixmap.size());
    return piece;
}

int SkinFrame::titleHeight() const { return BTopLeft->height(); }

void SkinFrame::PaintTitle(bool active) {
    active_ = active;
    QPalette palette = Title->palette();
    palette.setColor(QPalette::WindowText, active ? kActiveTitle : kInactiveTitle);
    Title->setPalette(palette);
    const QString prefix = active ? QStringLiteral("border_top_") : QStringLiteral("border_white_top_");
    BTopLeft->setPixmap(pictures_.Get(prefix + QStringLiteral("left.bmp")));
    BTopRight->setPixmap(pictures_.Get(prefix + QStringLiteral("right.bmp")));
    BTopCentre->setPixmap(pictures_.Get(prefix + QStringLiteral("center.bmp")));
    if (imgProgClose) {
        const QString state = active ? QStringLiteral("prog_blueoff_") : QStringLiteral("prog_white_");
        imgProgClose->SetPicture(state + QStringLiteral("close.bmp"));
        imgProgMin->SetPicture(state + QStringLiteral("min.bmp"));
    }
}

void SkinFrame::EvaluateWindowButtons(QPoint cursor) {
    if (!imgProgClose || !active_) return;
    SetHoverPicture(*imgProgClose, cursor, QStringLiteral("prog_blueoff_close.bmp"), QStringLiteral("prog_blue_close.bmp"));
    SetHoverPicture(*imgProgMin, cursor, QStringLiteral("prog_blueoff_min.bmp"), QStringLiteral("prog_blue_min.bmp"));
}

void SkinFrame::Layout() {
    const int w = host_->width();
    const int h = host_->height();
    BTopLeft->move(0, 0);
    BTopRight->move(w - BTopRight->width(), 0);
    BTopCentre->setGeometry(BTopLeft->x() + BTopLeft->width(), 0,
                            BTopRight->x() - BTopLeft->x() - BTopLeft->width(), BTopLeft->height());
    BBotLeft->move(0, h - BBotLeft->height());
    BLeft->setGeometry(0, BTopLeft->y() + BTopLeft->height(), BLeft->width(),
                       BBotLeft->y() - BTopLeft->y() - BTopLeft->height());
    BBotRight->move(w - BBotRight->width(), h - BBotRight->height());
    BRight->setGeometry(w - BRight->width(), BTopRight->y() + BTopRight->height(), BRight->width(),
                        BBotRight->y() - BTopRight->y() - BTopRight->height());
    BBot->setGeometry(BBotLeft->x() + BBotLeft->width(), h - BBot->height(),
                      BBotRight->x() - BBotLeft->x() - BBotLeft->width(), BBot->height());

    Title->adjustSize();
    if (kind_ == Kind::Dialog) {
        Title->move(TwipsToPixels(240), (BTopRight->height() - Title->height()) / 2);
    } else {
        const QPixmap& icon = pictures_.Get(QStringLiteral("QVicon.ico"));
        ImgIco->setPixmap(icon.isNull() ? QPixmap() : icon.scaled(16, 16, Qt::KeepAspectRatio, Qt::SmoothTransformation));
        ImgIco->resize(16, 16);
        ImgIco->move(HimetricToPixels(240), (BTopLeft->height() - ImgIco->height()) / 2);
        Title->move(TwipsToPixels(450), (BTopLeft->height() - Title->height()) / 2);
        imgProgClose->move(w - imgProgClose->width() - TwipsToPixels(60),
                           (BTopRight->height() - imgProgClose->height()) / 2);
        imgProgMin->move(imgProgClose->x() - imgProgMin->width() - TwipsToPixels(30),
                         (BTopRight->height() - imgProgMin->height()) / 2);
    }
    for (QWidget* piece : {static_cast<QWidget*>(BTopLeft), static_cast<QWidget*>(BTopCentre),
                           static_cast<QWidget*>(BTopRight)}) {
        piece->lower();
    }
    Title->raise();
    if (ImgIco) ImgIco->raise();
    if (imgProgClose) {
        imgProgClose->raise();
        imgProgMin->raise();
    }
    host_->setMask(QRegion(Outline(), Qt::WindingFill));
}

QPolygon SkinFrame::Outline() const {
    return kind_ == Kind::Dialog ? DialogOutline(host_->width(), host_->height())
                                 : WindowOutline(host_->width(), host_->height());
}

void SkinFrame::MoveForm(QPoint globalPress) {
    QWindow* window = host_->window()->windowHandle();
    if (window && window->startSystemMove()) return;
    // Without a window manager the window follows the drag itself.
    dragging_ = true;
    dragOffset_ = globalPress - host_->window()->pos();
}

bool SkinFrame::eventFilter(QObject* watched, QEvent* event) {
    (void)watched;
    switch (event->type()) {
        case QEvent::MouseButtonPress: {
            auto* mouse = static_cast<QMouseEvent*>(event);
            MoveForm(mouse->globalPosition().toPoint());
            return true;
        }
        case QEvent::MouseMove:
            if (dragging_) {
                auto* mouse = static_cast<QMouseEvent*>(event);
                host_->window()->move(mouse->globalPosition().toPoint() - dragOffset_);
                return true;
            }
            break;
        case QEvent::MouseButtonRelease:
            dragging_ = false;
            break;
        default:
            break;
    }
    return false;
}

}  // namespace qv
