#include "ui/skin.h"

#include <QCursor>
#include <QDir>
#include <QGuiApplication>
#include <QMouseEvent>
#include <QImage>
#include <QPainter>
#include <QScreen>

#include "ui/units.h"

namespace qv {

double LogicalDpi() {
    const QScreen* screen = QGuiApplication::primaryScreen();
    return screen ? screen->logicalDotsPerInch() : 96.0;
}

const QPixmap& PictureCache::Get(const QString& name) {
    auto found = pictures_.find(name);
    if (found != pictures_.end()) return *found;
    QPixmap pixmap(QDir(folder_).filePath(name));
    if (pixmap.isNull()) missing_.append(name);
    return *pictures_.insert(name, pixmap);
}

const QPixmap& PictureCache::Faded(const QString& name) {
    auto found = faded_.find(name);
    if (found != faded_.end()) return *found;
    // Each pixel two thirds of the way towards the strip colour.
    QImage image = Get(name).toImage().convertToFormat(QImage::Format_RGB32);
    for (int y = 0; y < image.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < image.width(); ++x) {
            const QRgb pixel = line[x];
            auto mix = [](int from, int to) { return (from + 2 * to) / 3; };
            line[x] = qRgb(mix(qRed(pixel), kStripColour.red()), mix(qGreen(pixel), kStripColour.green()),
                           mix(qBlue(pixel), kStripColour.blue()));
        }
    }
    return *faded_.insert(name, QPixmap::fromImage(image));
}

QPoint SystemCursor::Pos() const { return QCursor::pos(); }

PictureButton::PictureButton(const QString& name, PictureCache& pictures, QWidget* parent)
    : ClickableLabel(parent), pictures_(pictures) {
    setObjectName(name);
}

void PictureButton::SetPicture(const QString& pictureName) {
    if (picture_ == pictureName) return;
    picture_ = pictureName;
    const QPixmap& pixmap = pictures_.Get(pictureName);
    setPixmap(pixmap);
    if (!pixmap.isNull()) resize(pixmap.size());
}

void PictureButton::SetFadedPicture(const QString& pictureName) {
    const QString key = QStringLiteral("faded:") + pictureName;
    if (picture_ == key) return;
    picture_ = key;
    const QPixmap& pixmap = pictures_.Faded(pictureName);
    setPixmap(pixmap);
    if (!pixmap.isNull()) resize(pixmap.size());
}

QRect PictureButton::ScreenRect() const { return QRect(mapToGlobal(QPoint(0, 0)), size()); }

void PictureButton::paintEvent(QPaintEvent*) {
    const QPixmap current = pixmap();
    if (current.isNull()) return;
    QPainter painter(this);
    if (hasScaledContents()) painter.drawPixmap(rect(), current);
    else painter.drawPixmap(0, 0, current);
}

CaptionLabel::CaptionLabel(const QString& name, const QString& text, PictureButton* button)
    : ClickableLabel(text, button) {
    setObjectName(name);
    setAlignment(Qt::AlignCenter);
    connect(this, &CaptionLabel::clicked, button, &PictureButton::click);
}

void SetHoverPicture(PictureButton& button, QPoint cursor, const QString& off, const QString& on) {
    button.SetPicture(button.ScreenRect().contains(cursor) ? on : off);
}

void SetPressHoverPicture(PictureButton& button, QPoint cursor, bool pressTrack, const QString& pressed,
                          const QString& on, const QString& off) {
    if (!button.ScreenRect().contains(cursor)) button.SetPicture(off);
    else button.SetPicture(pressTrack ? pressed : on);
}

QPolygon WindowOutline(int w, int h) {
    return QPolygon({{0, 5}, {1, 3}, {2, 2}, {3, 1}, {5, 0}, {w - 5, 0}, {w - 3, 1}, {w - 2, 2}, {w - 2, 3},
                     {w, 5}, {w, h}, {0, h}});
}

QPolygon DialogOutline(int w, int h) {
    return QPolygon({{0, 5}, {1, 3}, {2, 2}, {3, 1}, {5, 0}, {w - 5, 0}, {w - 3, 1}, {w - 2, 2}, {w - 2, 3},
                     {w, 5}, {w, h - 7}, {w - 2, h - 3}, {w - 3, h - 2}, {w - 7, h}, {7, h}, {3, h - 2},
                     {2, h - 3}, {0, h - 7}});
}

}  // namespace qv
