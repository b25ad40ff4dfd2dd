#pragma once

#include <QLabel>

namespace qv {

// A label that acts as a button. Any mouse button presses it (pressed(),
// then released()); a click is a press and a release of the left button
// inside the label. A double-click is one click: the second press of a
// double-click shows as a press but never clicks again.
//
// Tab reaches it (a mouse click leaves the focus where it was), it shows a
// ring while it has the focus, and Space or Enter clicks it. In a dialog,
// Enter is left to the dialog.
class ClickableLabel : public QLabel {
    Q_OBJECT

public:
    explicit ClickableLabel(QWidget* parent = nullptr) : QLabel(parent) { setFocusPolicy(Qt::TabFocus); }
    ClickableLabel(const QString& text, QWidget* parent) : QLabel(text, parent) { setFocusPolicy(Qt::TabFocus); }

    // Emits clicked() when the label is enabled.
    void click() {
        if (isEnabled()) emit clicked();
    }
    // True between a press on the label and the release of that button.
    bool isDown() const { return down_; }

signals:
    void clicked();
    void pressed();
    void released();

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    // A label disabled while held down will not hear the release: it lets
    // go of the press at once.
    void changeEvent(QEvent* event) override;

private:
    bool down_ = false;
    Qt::MouseButton button_ = Qt::NoButton;
    // The current press is the second of a double-click.
    bool second_ = false;
};

// A caption lying on a button; a click on it is a click on the button, and
// the button takes the focus for it.
class CaptionLabel : public ClickableLabel {
    Q_OBJECT

public:
    CaptionLabel(const QString& name, const QString& text, ClickableLabel* button);
};

}  // namespace qv
