#include "ui/toolbar_button.h"

namespace qv {

ButtonPictures ButtonPictures::Named(const QString& name, bool hasDisabled) {
    return {name + QStringLiteral("_off.bmp"), name + QStringLiteral("_on.bmp"),
            name + QStringLiteral("_pressed.bmp"), hasDisabled ? name + QStringLiteral("_disabled.bmp") : QString()};
}

void PressTrack::Watch(ClickableLabel* button) {
    connect(button, &ClickableLabel::pressed, this, [this] { down_ = true; });
    connect(button, &ClickableLabel::released, this, [this] { down_ = false; });
}

void EvaluateToolbarButton(PictureButton& button, QPoint cursor, bool pressTrack, bool available,
                           const ButtonPictures& pictures) {
    if (!available) {
        if (pictures.disabled.isEmpty()) button.SetFadedPicture(pictures.off);
        else button.SetPicture(pictures.disabled);
        button.setEnabled(false);
        return;
    }
    button.setEnabled(true);
    SetPressHoverPicture(button, cursor, pressTrack, pictures.pressed, pictures.on, pictures.off);
}

}  // namespace qv
