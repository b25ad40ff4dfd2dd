#include "ui/cursor_source.h"

#include <QCursor>

namespace qv {

QPoint SystemCursor::Pos() const { return QCursor::pos(); }

void SystemCursor::SetPos(QPoint point) const { QCursor::setPos(point); }

}  // namespace qv
