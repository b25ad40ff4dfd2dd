#include "ui/size_grip.h"

#include <QEvent>
#include <QMouseEvent>
#include <QWidget>

#include "ui/units.h"

namespace qv {

EdgeBands BandsAt(QPoint p, QSize size, int band) {
    return {p.x() < band, p.y() < band, p.x() > size.width() - band, p.y() > size.height() - band};
}

std::optional<Qt::CursorShape> ResizeCursor(EdgeBands b, bool leftButtonDown) {
    std::optional<Qt::CursorShape> shape;
    if (!leftButtonDown) shape = Qt::ArrowCursor;
    if (b.left || b.right) shape = Qt::SizeHorCursor;
    if (b.top || b.bottom) shape = Qt::SizeVerCursor;
    if ((b.left && b.top) || (b.right && b.bottom)) shape = Qt::SizeFDiagCursor;
    if ((b.left && b.bottom) || (b.right && b.top)) shape = Qt::SizeBDiagCursor;
    return shape;
}

QSize GripSize(QSize current, QPoint cursor, double dpi, int band) {
    QSize size = current;
    if (cursor.x() <= 2 * band || cursor.y() <= 2 * band) return size;
    if (PixelsToTwips(cursor.x(), dpi) > kGripMinWidthTwips) size.setWidth(cursor.x());
    if (PixelsToTwips(cursor.y(), dpi) > kGripMinHeightTwips) size.setHeight(cursor.y());
    return size;
}

SizeGrip::SizeGrip(QWidget* window, const CursorSource& cursor) : QObject(window), window_(window), cursor_(cursor) {
    window_->setMouseTracking(true);
    window_->installEventFilter(this);
}

void SizeGrip::Watch(QWidget* child) {
    child->setMouseTracking(true);
    child->installEventFilter(this);
}

QPoint SizeGrip::CursorInWindow() const { return cursor_.Pos() - window_->mapToGlobal(QPoint(0, 0)); }

bool SizeGrip::Press() {
    if (window_->isMaximized()) return false;
    const QPoint at = CursorInWindow();
    const EdgeBands bands = BandsAt(at, window_->size());
    if (!bands.any()) return false;
    // Onto the edges pressed, so the first move does not make the window jump.
    QPoint snapped = at;
    if (bands.left) snapped.setX(0);
    if (bands.top) snapped.setY(0);
    if (bands.right) snapped.setX(window_->width());
    if (bands.bottom) snapped.setY(window_->height());
    cursor_.SetPos(window_->mapToGlobal(snapped));
    resizing_ = bands.right && bands.bottom;
    return true;
}

void SizeGrip::Follow() {
    const QSize size = GripSize(window_->size(), CursorInWindow(), LogicalDpi());
    if (size != window_->size()) window_->resize(size);
}

void SizeGrip::ShowPointer(bool leftButtonDown) {
    if (window_->isMaximized()) {
        window_->unsetCursor();
        return;
    }
    const auto shape = ResizeCursor(BandsAt(CursorInWindow(), window_->size()), leftButtonDown);
    if (!shape) return;
    if (*shape == Qt::ArrowCursor) window_->unsetCursor();
    else window_->setCursor(*shape);
}

bool SizeGrip::eventFilter(QObject* watched, QEvent* event) {
    switch (event->type()) {
        case QEvent::MouseButtonPress: {
            // Presses on the watched children fall through to the window.
            auto* mouse = static_cast<QMouseEvent*>(event);
            if (watched != window_ || mouse->button() != Qt::LeftButton) return false;
            return Press();
        }
        case QEvent::MouseMove: {
            auto* mouse = static_cast<QMouseEvent*>(event);
            if (resizing_) {
                Follow();
                return true;
            }
            ShowPointer(mouse->buttons() & Qt::LeftButton);
            return false;
        }
        case QEvent::MouseButtonRelease:
            if (resizing_ && static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton) {
                resizing_ = false;
                return true;
            }
            return false;
        default:
            return false;
    }
}

}  // namespace qv
