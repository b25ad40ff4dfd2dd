#include "ui/picture_button.h"

#include <QPainter>

#include "ui/accessible.h"
#include "ui/focus_ring.h"

namespace qv {

PictureButton::PictureButton(const QString& name, PictureCache& pictures, QWidget* parent)
    : ClickableLabel(parent), pictures_(pictures) {
    setObjectName(name);
    EnableSpokenControls();
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
    painter.end();
    DrawFocusRing(*this);
}

void SetHoverPicture(PictureButton& button, QPoint cursor, const QString& off, const QString& on) {
    button.SetPicture(button.ScreenRect().contains(cursor) ? on : off);
}

void SetPressHoverPicture(PictureButton& button, QPoint cursor, bool pressTrack, const QString& pressed,
                          const QString& on, const QString& off) {
    if (!button.ScreenRect().contains(cursor)) button.SetPicture(off);
    else button.SetPicture(pressTrack ? pressed : on);
}

}  // namespace qv
