#pragma once

// The four picture buttons of the main window's toolbar. Their caption,
// tooltip and pictures follow the selected tab; the window's timer keeps
// them up to date.

#include <QObject>
#include <QPoint>
#include <QString>
#include <QWidget>
#include <array>

#include "ui/clickable_label.h"
#include "ui/picture_button.h"
#include "ui/picture_cache.h"
#include "ui/toolbar_button.h"

namespace qv {

class Toolbar : public QObject {
    Q_OBJECT

public:
    // The buttons lie on `strip` (the tab strip).
    Toolbar(QWidget* strip, PictureCache& pictures);

    // Captions, tooltips and pictures for the selected tab; pressed while the
    // cursor is over a button and `pressTrack` is set; the button without a
    // command on this tab is disabled and faded.
    void Tick(QPoint cursor, int tab, bool pressTrack);

signals:
    void clicked(int button);  // 1..4
    void pressed();
    void released();

private:
    struct Look {
        QString caption, tooltip;
        ButtonPictures pictures;
    };
    // Looks of the four buttons on a module tab [0] and on the Help tab [1].
    std::array<std::array<Look, 4>, 2> looks_;
    std::array<PictureButton*, 4> buttons_{};
    std::array<CaptionLabel*, 4> labels_{};
};

}  // namespace qv
