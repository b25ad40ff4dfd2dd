#include "mainwindow/toolbar.h"

#include "course/navigation.h"
#include "mainwindow/page_kit.h"

namespace qv {

namespace {

QString Latin1(std::string_view text) { return QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size())); }

}  // namespace

Toolbar::Toolbar(QWidget* strip, PictureCache& pictures) : QObject(strip) {
    for (int column = 0; column < 2; ++column) {
        for (int i = 0; i < 4; ++i) {
            const ToolbarButtonLook look = ToolbarButton(column == 0 ? 1 : kHelpTab, i + 1);
            looks_[column][i] = {Latin1(look.caption), QString::fromStdString(look.tooltip),
                                 ButtonPictures::Named(Latin1(look.picture), false)};
        }
    }
    for (int i = 0; i < 4; ++i) {
        auto* button = new PictureButton(TwoDigitName("ToolBar", i + 1), pictures, strip);
        button->SetPicture(QStringLiteral("home_off.bmp"));
        button->move(8 + i * (button->width() + 6), 3);
        auto* label = new CaptionLabel(TwoDigitName("lblTB", i + 1), QString(), button);
        label->setFont(UiFont(8));
        SetTextColour(label, kHeadingColour);
        label->setGeometry(0, button->height() - 17, button->width(), 15);
        buttons_[i] = button;
        labels_[i] = label;
        connect(button, &PictureButton::clicked, this, [this, i] { emit clicked(i + 1); });
        connect(button, &PictureButton::pressed, this, &Toolbar::pressed);
        connect(button, &PictureButton::released, this, &Toolbar::released);
    }
}

void Toolbar::Tick(QPoint cursor, int tab, bool pressTrack) {
    for (int i = 0; i < 4; ++i) {
        const Look& look = looks_[tab == kHelpTab ? 1 : 0][i];
        PictureButton& button = *buttons_[i];
        CaptionLabel& label = *labels_[i];
        const bool available = !look.caption.isEmpty();
        if (label.text() != look.caption) label.setText(look.caption);
        if (button.toolTip() != look.tooltip) {
            button.setToolTip(look.tooltip);
            label.setToolTip(look.tooltip);
        }
        // A place that carries no command shows nothing.
        if (button.isHidden() == available) button.setVisible(available);
        EvaluateToolbarButton(button, cursor, pressTrack, available, look.pictures);
        if (label.isEnabled() != available) label.setEnabled(available);
    }
}

}  // namespace qv
