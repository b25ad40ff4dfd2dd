#include "ui/cursor_source.h"

#include <QCursor>
#include <QWidget>

namespace qv {

QPoint SystemCursor::Pos() const { return QCursor::pos(); }

void SystemCursor::SetPos(QPoint point) const { QCursor::setPos(point); }

bool SystemCursor::MayBeOver(const QWidget& window) const { return window.underMouse(); }

}  // namespace qv
