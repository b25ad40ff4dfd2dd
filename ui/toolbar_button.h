#pragma once

#include <QObject>
#include <QPoint>
#include <QString>

#include "ui/picture_button.h"

namespace qv {

// The pictures of a toolbar button: name + "_off.bmp", "_on.bmp",
// "_pressed.bmp" and, for buttons that can be unavailable, "_disabled.bmp".
struct ButtonPictures {
    QString off;
    QString on;
    QString pressed;
    QString disabled;

    static ButtonPictures Named(const QString& name, bool hasDisabled);
};

// The window's press flag: down from a press on any of the watched buttons
// until the release of the button that received the press.
class PressTrack : public QObject {
    Q_OBJECT

public:
    explicit PressTrack(QObject* parent = nullptr) : QObject(parent) {}

    void Watch(ClickableLabel* button);
    bool isDown() const { return down_; }
    // "1" while down, else "0".
    QString text() const { return down_ ? QStringLiteral("1") : QStringLiteral("0"); }

private:
    bool down_ = false;
};

// One toolbar button on one tick. An available button is enabled and shows
// its off, hover or pressed picture; one that is not available shows its
// disabled picture (or its off picture faded, when it has none) and is
// disabled, so clicks on it are ignored.
void EvaluateToolbarButton(PictureButton& button, QPoint cursor, bool pressTrack, bool available,
                           const ButtonPictures& pictures);

}  // namespace qv
