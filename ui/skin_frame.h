#pragma once

#include <QLabel>
#include <QObject>
#include <QPoint>
#include <QPointer>
#include <QWidget>

#include "ui/skin.h"

namespace qv {

// The picture frame of a frameless window: title bar, borders, corners, the
// title label, and (except on the dialog) the icon and the window buttons.
// The host's outline is cut to a polygon with rounded corners, and the window
// is dragged by its title.
class SkinFrame : public QObject {
    Q_OBJECT

public:
    enum class Kind { Main, Dialog };

    SkinFrame(QWidget* host, PictureCache& pictures, Kind kind);

    // Places the pieces for the host's current size and cuts the outline.
    void Layout();
    // The active or inactive look of the title bar and window buttons.
    void PaintTitle(bool active);
    bool active() const { return active_; }
    // Hover pictures of the window buttons; they follow the cursor only while
    // the window is active.
    void EvaluateWindowButtons(QPoint cursor);
    QPolygon Outline() const;

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
    PictureButton* imgProgMin = nullptr;

    int titleHeight() const;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QLabel* Piece(const QString& name, const QString& picture, bool stretch);
    void MoveForm(QPoint globalPress);

    QWidget* host_;
    PictureCache& pictures_;
    Kind kind_;
    bool active_ = true;
    bool dragging_ = false;
    QPoint dragOffset_;
};

}  // namespace qv
