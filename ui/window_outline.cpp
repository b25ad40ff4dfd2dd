#include "ui/window_outline.h"

namespace qv {

// The top-right curve ends at (w - 2, 3), so it is not quite the mirror of
// the top-left one.
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
