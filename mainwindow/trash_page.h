#pragma once

// The trash page `Body_Trash`, where past results are trashed.

#include <QPoint>
#include <QWidget>

#include "ui/picture_button.h"
#include "ui/picture_cache.h"

namespace qv {

class TrashPage : public QWidget {
    Q_OBJECT

public:
    TrashPage(QWidget* parent, PictureCache& pictures);

    // Back to the page's first state; run each time the page is shown.
    void Reset() {}
    // Hover pictures of the page's buttons.
    void Tick(QPoint) {}
};

}  // namespace qv
