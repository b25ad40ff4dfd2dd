#pragma once

#include <QObject>
#include <QPoint>
#include <QSize>
#include <optional>

#include "ui/cursor_source.h"

class QWidget;

namespace qv {

// Width of the bands along a window's edges, in pixels.
inline constexpr int kEdgeBand = 6;
// A window resized by its grip stays wider and higher than this, in twips.
inline constexpr double kGripMinWidthTwips = 7300;
inline constexpr double kGripMinHeightTwips = 5000;

// Which edge bands a point of a window (relative to its top-left corner)
// lies in.
struct EdgeBands {
    bool left = false;
    bool top = false;
    bool right = false;
    bool bottom = false;

    bool any() const { return left || top || right || bottom; }
    bool operator==(const EdgeBands&) const = default;
};
EdgeBands BandsAt(QPoint inWindow, QSize size, int band = kEdgeBand);

// The pointer over a window: the sizing shape of the band or corner it is
// in, the default shape when the left button is up and it is in no band, and
// nothing (leave it as it is) when the button is down outside the bands.
std::optional<Qt::CursorShape> ResizeCursor(EdgeBands bands, bool leftButtonDown);

// The size a grip drag gives a window of `current` size, with the cursor at
// `cursor` relative to the window's top-left corner. Width and height each
// follow the cursor only while they stay above the minimum.
QSize GripSize(QSize current, QPoint cursor, double dpi, int band = kEdgeBand);

// Resizing a window by its bottom-right corner. A left press in any edge band
// snaps the cursor onto the edges pressed; only a press in both the right and
// the bottom band resizes, following the cursor until the button is released.
// Mouse moves over the window show the sizing pointers of the bands. A
// maximised window is not resized by its grip.
class SizeGrip : public QObject {
    Q_OBJECT

public:
    SizeGrip(QWidget* window, const CursorSource& cursor);

    // Also watch a child that covers part of the edges (a border picture or
    // the grip), so the pointer over it follows the bands too.
    void Watch(QWidget* child);
    bool resizing() const { return resizing_; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QPoint CursorInWindow() const;
    bool Press();
    void Follow();
    void ShowPointer(bool leftButtonDown);

    QWidget* window_;
    const CursorSource& cursor_;
    bool resizing_ = false;
};

}  // namespace qv
