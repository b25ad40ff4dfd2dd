#include "ui/skin_frame.h"

#include <QDir>
#include <QEvent>
#include <QIcon>
#include <QMouseEvent>
#include <QRegion>
#include <QWindow>
#include <algorithm>

#include "ui/look.h"
#include "ui/units.h"
#include "ui/window_outline.h"

namespace qv {

namespace {

// The practice windows' title-bar middle is drawn this wide (twips), wider
// than any window; the right end covers the rest.
constexpr double kPracticeTitleWidthTwips = 30000;

QString Prog(const char* state, const char* button) {
    return QStringLiteral("prog_%1_%2.bmp").arg(QLatin1String(state), QLatin1String(button));
}

}  // namespace

SkinFrame::SkinFrame(QWidget* host, PictureCache& pictures, Kind kind, const CursorSource* cursor)
    : QObject(host), host_(host), pictures_(pictures), kind_(kind) {
    host_->setWindowFlag(Qt::FramelessWindowHint);
    const bool dialog = kind_ == Kind::Dialog;
    BTopLeft = Piece(QStringLiteral("BTopLeft"), QStringLiteral("border_top_left.bmp"), false);
    BTopCentre = Piece(QStringLiteral("BTopCentre"), QStringLiteral("border_top_center.bmp"), true);
    BTopRight = Piece(QStringLiteral("BTopRight"), QStringLiteral("border_top_right.bmp"), false);
    BLeft = Piece(QStringLiteral("BLeft"), QStringLiteral("border_left.bmp"), true);
    BRight = Piece(QStringLiteral("BRight"), QStringLiteral("border_right.bmp"), true);
    BBotLeft = Piece(QStringLiteral("BBotLeft"),
                     dialog ? QStringLiteral("Border_bot_left.gif") : QStringLiteral("border_left_corners.bmp"), false);
    BBotRight = Piece(QStringLiteral("BBotRight"),
                      dialog ? QStringLiteral("Border_bot_right.gif") : QStringLiteral("border_right_corners.bmp"), false);
    BBot = Piece(QStringLiteral("BBot"), QStringLiteral("border_bot.bmp"), true);

    Title = new QLabel(host_);
    Title->setObjectName(dialog ? QStringLiteral("lblTitle") : QStringLiteral("Title"));
    Title->setFont(TitleFont());
    Title->installEventFilter(this);
    for (QLabel* piece : {BTopLeft, BTopCentre, BTopRight}) piece->installEventFilter(this);

    if (!dialog) {
        ImgIco = new QLabel(host_);
        ImgIco->setObjectName(QStringLiteral("ImgIco"));
        const QPixmap& icon =
            pictures_.Get(kind_ == Kind::Main ? QStringLiteral("QVicon.ico") : QStringLiteral("pencil.ico"));
        if (!icon.isNull()) {
            // The icon file holds larger pictures too: a scaled screen gets the sharpest that fits.
            const QIcon sizes(QDir(pictures_.folder()).filePath(kind_ == Kind::Main ? QStringLiteral("QVicon.ico")
                                                                                     : QStringLiteral("pencil.ico")));
            ImgIco->setPixmap(sizes.pixmap(QSize(16, 16), host_->devicePixelRatioF()));
            host_->setWindowIcon(sizes);
        }
        ImgIco->resize(16, 16);
        imgProgClose = new PictureButton(QStringLiteral("imgProgClose"), pictures_, host_);
        imgProgMin = new PictureButton(QStringLiteral("imgProgMin"), pictures_, host_);
        imgProgClose->setToolTip(QStringLiteral("Close"));
        imgProgMin->setToolTip(QStringLiteral("Minimise"));
        connect(imgProgMin, &PictureButton::clicked, host_, &QWidget::showMinimized);
    }
    if (kind_ == Kind::Practice) {
        imgProgMax = new PictureButton(QStringLiteral("imgProgMax"), pictures_, host_);
        imgProgMax->setToolTip(QStringLiteral("Maximise"));
        connect(imgProgMax, &PictureButton::clicked, this, &SkinFrame::MaximiseOrRestore);
        // The grip lies over the corner of the borders: only its dots show.
        Sizer = Piece(QStringLiteral("Sizer"), QStringLiteral("statusgrabber.bmp"), false);
        Sizer->setPixmap(pictures_.Transparent(QStringLiteral("statusgrabber.bmp")));
        static const SystemCursor screenPointer;
        grip_ = new SizeGrip(host_, cursor ? *cursor : screenPointer);
        for (QWidget* edge : {BLeft, BRight, BBot, BBotLeft, BBotRight, Sizer}) grip_->Watch(edge);
    }
    host_->installEventFilter(this);
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
    palette.setColor(QPalette::WindowText, active ? kActiveTitleColour : kInactiveTitleColour);
    Title->setPalette(palette);
    const QString prefix = active ? QStringLiteral("border_top_") : QStringLiteral("border_white_top_");
    BTopLeft->setPixmap(pictures_.Get(prefix + QStringLiteral("left.bmp")));
    BTopRight->setPixmap(pictures_.Get(prefix + QStringLiteral("right.bmp")));
    BTopCentre->setPixmap(pictures_.Get(prefix + QStringLiteral("center.bmp")));
    if (!imgProgClose) return;
    const char* state = active ? "blueoff" : "white";
    imgProgClose->SetPicture(Prog(state, "close"));
    // A maximised window offers to restore, also while it is inactive.
    if (imgProgMax) imgProgMax->SetPicture(Prog(state, host_->isMaximized() ? "norm" : "max"));
    imgProgMin->SetPicture(Prog(state, "min"));
}

void SkinFrame::EvaluateWindowButtons(QPoint cursor) {
    if (!imgProgClose || !active_) return;
    SetHoverPicture(*imgProgClose, cursor, Prog("blueoff", "close"), Prog("blue", "close"));
    if (imgProgMax && !host_->isMinimized()) {
        const char* button = host_->isMaximized() ? "norm" : "max";
        SetHoverPicture(*imgProgMax, cursor, Prog("blueoff", button), Prog("blue", button));
        imgProgMax->setToolTip(host_->isMaximized() ? QStringLiteral("Restore") : QStringLiteral("Maximise"));
    }
    SetHoverPicture(*imgProgMin, cursor, Prog("blueoff", "min"), Prog("blue", "min"));
}

void SkinFrame::MaximiseOrRestore() {
    if (host_->isMinimized()) return;
    if (host_->isMaximized()) host_->showNormal();
    else host_->showMaximized();
}

void SkinFrame::PlaceEdges(int w, int h) {
    BTopLeft->move(0, 0);
    BTopRight->move(w - BTopRight->width(), 0);
    const int centreLeft = BTopLeft->x() + BTopLeft->width();
    const int centreWidth = kind_ == Kind::Practice
                                ? std::max(TwipsToPixels(kPracticeTitleWidthTwips), w - centreLeft)
                                : BTopRight->x() - centreLeft;
    BTopCentre->setGeometry(centreLeft, 0, centreWidth, BTopLeft->height());
    BBotLeft->move(0, h - BBotLeft->height());
    BLeft->setGeometry(0, BTopLeft->y() + BTopLeft->height(), BLeft->width(),
                       BBotLeft->y() - BTopLeft->y() - BTopLeft->height());
    BBotRight->move(w - BBotRight->width(), h - BBotRight->height());
    BRight->setGeometry(w - BRight->width(), BTopRight->y() + BTopRight->height(), BRight->width(),
                        BBotRight->y() - BTopRight->y() - BTopRight->height());
    BBot->setGeometry(BBotLeft->x() + BBotLeft->width(), h - BBot->height(),
                      BBotRight->x() - BBotLeft->x() - BBotLeft->width(), BBot->height());
    if (Sizer) {
        Sizer->move(w - Sizer->width() - HimetricToPixels(60), h - Sizer->height() - HimetricToPixels(60));
    }
}

void SkinFrame::PlaceTitleBar(int w) {
    Title->adjustSize();
    const auto middle = [this](const QWidget* piece) { return (BTopRight->height() - piece->height()) / 2; };
    switch (kind_) {
        case Kind::Dialog:
            Title->move(TwipsToPixels(240), middle(Title));
            return;
        case Kind::Main:
            Title->move(TwipsToPixels(450), (BTopLeft->height() - Title->height()) / 2);
            imgProgClose->move(w - imgProgClose->width() - TwipsToPixels(60), middle(imgProgClose));
            imgProgMin->move(imgProgClose->x() - imgProgMin->width() - TwipsToPixels(30), middle(imgProgMin));
            break;
        case Kind::Practice:
            Title->move(HimetricToPixels(800), (BTopLeft->height() - Title->height()) / 2);
            imgProgClose->move(w - imgProgClose->width() - HimetricToPixels(120), middle(imgProgClose));
            imgProgMax->move(imgProgClose->x() - imgProgMax->width() - HimetricToPixels(60), middle(imgProgMax));
            imgProgMin->move(imgProgMax->x() - imgProgMin->width() - HimetricToPixels(60), middle(imgProgMin));
            break;
    }
    ImgIco->move(HimetricToPixels(240), (BTopLeft->height() - ImgIco->height()) / 2);
}

void SkinFrame::Restack() {
    // Bottom to top: the title-bar middle, its left end, its right end (which
    // covers the middle where that is wider than the window), then the rest.
    for (QWidget* piece : {static_cast<QWidget*>(BTopRight), static_cast<QWidget*>(BTopLeft),
                           static_cast<QWidget*>(BTopCentre)}) {
        piece->lower();
    }
    if (kind_ == Kind::Practice) {
        for (QWidget* edge : {BLeft, BRight, BBot, BBotLeft, BBotRight, Sizer}) edge->raise();
    }
    for (QWidget* top : {static_cast<QWidget*>(Title), static_cast<QWidget*>(ImgIco),
                         static_cast<QWidget*>(imgProgClose), static_cast<QWidget*>(imgProgMax),
                         static_cast<QWidget*>(imgProgMin)}) {
        if (top) top->raise();
    }
}

void SkinFrame::Layout() {
    PlaceEdges(host_->width(), host_->height());
    PlaceTitleBar(host_->width());
    Restack();
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

bool SkinFrame::DragEvent(QEvent* event) {
    switch (event->type()) {
        case QEvent::MouseButtonPress:
            MoveForm(static_cast<QMouseEvent*>(event)->globalPosition().toPoint());
            return true;
        case QEvent::MouseMove:
            if (!dragging_) return false;
            host_->window()->move(static_cast<QMouseEvent*>(event)->globalPosition().toPoint() - dragOffset_);
            return true;
        case QEvent::MouseButtonRelease:
            dragging_ = false;
            return false;
        default:
            return false;
    }
}

bool SkinFrame::eventFilter(QObject* watched, QEvent* event) {
    if (watched != host_) return DragEvent(event);
    if (event->type() == QEvent::Resize) {
        Layout();
        emit laidOut();
    } else if (event->type() == QEvent::ActivationChange && kind_ != Kind::Dialog) {
        const bool active = host_->isActiveWindow();
        if (active != active_) {
            PaintTitle(active);
            emit activeChanged(active);
        }
    }
    return false;
}

}  // namespace qv
