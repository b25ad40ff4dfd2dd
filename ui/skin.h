#pragma once

// What every window of the program shares: the pictures of the skin, the
// cursor the hover timers read, picture buttons and their caption labels.

#include <QColor>
#include <QHash>
#include <QLabel>
#include <QPixmap>
#include <QPoint>
#include <QPolygon>
#include <QString>
#include <QStringList>
#include <functional>

#include "ui/clickable_label.h"

namespace qv {

inline const QColor kStripColour(244, 245, 235);

// Interface pictures from the "Graphics" folder, each read from disk once.
// A missing or damaged picture gives an empty pixmap and is remembered, so
// the window still works and can say which file is missing.
class PictureCache {
public:
    explicit PictureCache(QString graphicsFolder) : folder_(std::move(graphicsFolder)) {}

    const QPixmap& Get(const QString& name);
    // The picture drawn faded, for a button that has no disabled picture of its own.
    const QPixmap& Faded(const QString& name);
    QStringList missing() const { return missing_; }
    const QString& folder() const { return folder_; }

private:
    QString folder_;
    QHash<QString, QPixmap> pictures_;
    QHash<QString, QPixmap> faded_;
    QStringList missing_;
};

// Where the hover timers read the cursor; tests place it themselves.
class CursorSource {
public:
    virtual ~CursorSource() = default;
    virtual QPoint Pos() const = 0;
};

class SystemCursor : public CursorSource {
public:
    QPoint Pos() const override;
};

class PlacedCursor : public CursorSource {
public:
    QPoint Pos() const override { return point; }
    QPoint point{-10000, -10000};
};

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

// A caption lying on a button; a click on it is a click on the button.
class CaptionLabel : public ClickableLabel {
    Q_OBJECT

public:
    CaptionLabel(const QString& name, const QString& text, PictureButton* button);
};

// Two-state look: the on picture while the cursor is over the button.
void SetHoverPicture(PictureButton& button, QPoint cursor, const QString& off, const QString& on);
// Three-state look: pressed while the cursor is over it and a toolbar button
// of the window is held down, on while the cursor is over it, else off.
void SetPressHoverPicture(PictureButton& button, QPoint cursor, bool pressTrack, const QString& pressed,
                          const QString& on, const QString& off);

// Window outlines: top corners rounded, bottom corners square (main and
// practice windows); all corners rounded (the dialog).
QPolygon WindowOutline(int width, int height);
QPolygon DialogOutline(int width, int height);

}  // namespace qv
