#pragma once

#include <QPoint>

class QWidget;

namespace qv {

// Where the hover timers and the size grip read the cursor, and where the
// grip places it; tests place it themselves. Placing the cursor does not
// change the source, so a window that only holds a const source can still
// snap the cursor.
class CursorSource {
public:
    virtual ~CursorSource() = default;
    virtual QPoint Pos() const = 0;
    virtual void SetPos(QPoint point) const = 0;
    // False only when the pointer is known not to be over `window`, known
    // without asking the screen: then its hover timer may rest.
    virtual bool MayBeOver(const QWidget& window) const = 0;
};

// The pointer of the screen.
class SystemCursor : public CursorSource {
public:
    QPoint Pos() const override;
    void SetPos(QPoint point) const override;
    // Qt follows the pointer into and out of every window.
    bool MayBeOver(const QWidget& window) const override;
};

// A cursor that stays where the test put it.
class PlacedCursor : public CursorSource {
public:
    QPoint Pos() const override { return point; }
    void SetPos(QPoint to) const override { point = to; }
    // A test may place it anywhere at any moment, without an event.
    bool MayBeOver(const QWidget&) const override { return true; }
    mutable QPoint point{-10000, -10000};
};

}  // namespace qv
