#pragma once

#include <QLabel>
#include <QObject>
#include <QPoint>
#include <QPolygon>
#include <QString>
#include <QWidget>

#include "ui/cursor_source.h"
#include "ui/picture_button.h"
#include "ui/picture_cache.h"
#include "ui/size_grip.h"

namespace qv {

// The picture frame of a frameless window: title bar, borders, corners, the
// title label, and (except on the dialog) the icon and the window buttons.
// The host's outline is cut to a polygon with rounded corners, and the window
// is dragged by its title. The frame lays itself out again and cuts a new
// outline on every resize of the host, then emits laidOut() so the window can
// lay out its content. On the main and practice windows it follows the
// host's activation with the active or inactive look and the focus flag.
//
// Practice windows also get a maximise/restore button and the size grip
// `Sizer` at the bottom-right corner.
class SkinFrame : public QObject {
    Q_OBJECT

public:
    enum class Kind { Main, Practice, Dialog };

    // `cursor` is where the size grip of a practice window reads and places
    // the pointer; without one it uses the screen's pointer.
    SkinFrame(QWidget* host, PictureCache& pictures, Kind kind, const CursorSource* cursor = nullptr);

    Kind kind() const { return kind_; }
    // Places the pieces for the host's current size and cuts the outline.
    void Layout();
    // The active or inactive look of the title bar and window buttons.
    void PaintTitle(bool active);
    bool active() const { return active_; }
    // Hover pictures of the window buttons; they follow the cursor only while
    // the window is active. The maximise button shows the restore picture
    // while the window is maximised, and is left alone while it is minimised.
    void EvaluateWindowButtons(QPoint cursor);
    // Maximises a window in its normal state and restores a maximised one.
    void MaximiseOrRestore();
    QPolygon Outline() const;
    int titleHeight() const;
    SizeGrip* grip() const { return grip_; }

    QLabel* BTopLeft;
    QLabel* BTopCentre;
    QLabel* BTopRight;
    QLabel* BLeft;
    QLabel* BRight;
    QLabel* BBotLeft;
    QLabel* BBotRight;
    QLabel* BBot;
    QLabel* Title;
    QLabel* ImgIco = nullptr;
    PictureButton* imgProgClose = nullptr;
    PictureButton* imgProgMax = nullptr;
    PictureButton* imgProgMin = nullptr;
    QLabel* Sizer = nullptr;

signals:
    // After the frame was laid out for a new size of the host.
    void laidOut();
    // The host was activated or deactivated; the look has been applied.
    void activeChanged(bool active);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QLabel* Piece(const QString& name, const QString& picture, bool stretch);
    void PlaceEdges(int w, int h);
    void PlaceTitleBar(int w);
    void Restack();
    void MoveForm(QPoint globalPress);
    bool DragEvent(QEvent* event);

    QWidget* host_;
    PictureCache& pictures_;
    Kind kind_;
    SizeGrip* grip_ = nullptr;
    bool active_ = true;
    bool dragging_ = false;
    QPoint dragOffset_;
};

}  // namespace qv
