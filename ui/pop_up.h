#pragma once

#include <QDialog>
#include <QLabel>
#include <QString>
#include <QTimer>

#include "ui/ask.h"
#include "ui/clickable_label.h"
#include "ui/cursor_source.h"
#include "ui/picture_button.h"
#include "ui/picture_cache.h"
#include "ui/skin_frame.h"

class QScrollArea;

namespace qv {

// The program's own message box. The caller prepares it with CallPop, shows
// it modally with exec(), then reads answer(): true for the first button
// ("OK" or "Yes"), false for the second ("No").
class frmPopUp : public QDialog {
    Q_OBJECT

public:
    frmPopUp(PictureCache& pictures, const CursorSource& cursor, QWidget* parent = nullptr);

    void CallPop(const QString& title, const QString& message, PopUpButtons buttons, const QWidget* owner);
    // The button chosen last; false until one is.
    bool answer() const { return answer_; }
    // One hover tick: both buttons follow the cursor.
    void Tick();

    SkinFrame* frame() const { return frame_; }

protected:
    // Escape answers like the last button shown, so a stale answer from an
    // earlier dialog is never read as this one's.
    void reject() override;
    void showEvent(QShowEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void Answer(bool first);
    void FitMessage(const QString& message, const QWidget* owner);

    PictureCache& pictures_;
    const CursorSource& cursor_;
    bool answer_ = false;
    SkinFrame* frame_;
    QLabel* ImgInfo;
    QLabel* lblMessage;
    PictureButton* But1;
    PictureButton* But2;
    CaptionLabel* But1_lbl;
    CaptionLabel* But2_lbl;
    QTimer* Timer1;
    QScrollArea* scroll_ = nullptr;  // only for a message longer than most of the screen
};

// Shows the dialog and returns true when its first button was chosen.
bool AskPopUp(PictureCache& pictures, const CursorSource& cursor, const QString& title, const QString& message,
              PopUpButtons buttons, QWidget* owner);

}  // namespace qv
