#pragma once

#include <QPoint>
#include <QRect>
#include <QString>

#include "ui/clickable_label.h"
#include "ui/picture_cache.h"

namespace qv {

// A picture box that acts as a button. The picture is swapped only when it
// changes, so a timer tick that finds nothing new costs nothing.
class PictureButton : public ClickableLabel {
    Q_OBJECT

public:
    PictureButton(const QString& name, PictureCache& pictures, QWidget* parent);

    void SetPicture(const QString& pictureName);
    void SetFadedPicture(const QString& pictureName);
    const QString& picture() const { return picture_; }
    // The button's rectangle on the screen.
    QRect ScreenRect() const;

protected:
    // The picture as it is, also while disabled: the disabled look is a
    // picture of its own, not the style's greying.
    void paintEvent(QPaintEvent* event) override;

private:
    PictureCache& pictures_;
    QString picture_;
};

// Two-state look: the on picture while the cursor is over the button.
void SetHoverPicture(PictureButton& button, QPoint cursor, const QString& off, const QString& on);
// Three-state look: pressed while the cursor is over it and a toolbar button
// of the window is held down, on while the cursor is over it, else off.
void SetPressHoverPicture(PictureButton& button, QPoint cursor, bool pressTrack, const QString& pressed,
                          const QString& on, const QString& off);

}  // namespace qv
