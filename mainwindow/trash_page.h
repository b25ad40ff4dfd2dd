#pragma once

// The trash page `Body_Trash`, where the pupil erases all past results: it
// offers the Trash button, asks "Are you sure?" with Yes and No, and then
// says that the results have been erased. The erasing itself is the main
// window's: the page only asks for it.

#include <QLabel>
#include <QPoint>
#include <QWidget>

#include "ui/clickable_label.h"
#include "ui/picture_button.h"
#include "ui/picture_cache.h"

namespace qv {

enum class TrashState { Offer, Confirm, Done };

class TrashPage : public QWidget {
    Q_OBJECT

public:
    TrashPage(QWidget* parent, PictureCache& pictures);

    // Back to the page's first state; run each time the page is shown.
    void Reset() { ShowState(TrashState::Offer); }
    void ShowState(TrashState state);
    // Done, saying where the copy of the erased results was put (none when empty).
    void ShowErased(const QString& copyFolder);
    TrashState state() const { return state_; }
    // Hover pictures of the page's buttons.
    void Tick(QPoint cursor);

signals:
    // "Yes" was chosen: the results are to be erased now.
    void eraseConfirmed();

private:
    TrashState state_ = TrashState::Offer;
    QLabel* Trashlbl1;
    QLabel* Trashlbl2;
    QLabel* Trashlbl3;
    QLabel* copyWords_;  // where the erased results were copied to
    PictureButton* ButTrash;
    PictureButton* ButTrash_Yes;
    PictureButton* ButTrash_No;
    CaptionLabel* ButTrashlbl;
    CaptionLabel* ButTrash_Yeslbl;
    CaptionLabel* ButTrash_Nolbl;
};

}  // namespace qv
