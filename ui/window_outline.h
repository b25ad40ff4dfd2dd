#pragma once

#include <QPolygon>

namespace qv {

// Window outlines: top corners rounded, bottom corners square (main and
// practice windows, 12 points); all corners rounded (the dialog, 18 points).
QPolygon WindowOutline(int width, int height);
QPolygon DialogOutline(int width, int height);

}  // namespace qv
