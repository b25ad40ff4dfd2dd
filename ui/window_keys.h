#pragma once

// The keys a desktop gives a window's frame, for a frameless window:
// Alt+Space opens the window menu (Restore, Move, Size, Minimise, Maximise,
// Close); Alt+F7 moves the window with the arrow keys and Alt+F8 changes its
// size, Enter keeping the change and Escape undoing it; Alt+F10 maximises
// and restores. A window of a fixed size has no Size or Maximise.

#include <QObject>
#include <QPointer>
#include <QRect>
#include <functional>

class QMenu;
class QWidget;

namespace qv {

class WindowKeys : public QObject {
    Q_OBJECT

public:
    // `close` is what the window's close button does (it may ask first).
    WindowKeys(QWidget* window, bool resizable, std::function<void()> close);
    ~WindowKeys() override;

    enum class Mode { None, Move, Size };
    void StartMove() { Start(Mode::Move); }
    void StartSize() { Start(Mode::Size); }
    Mode mode() const { return mode_; }
    void MaximiseOrRestore();
    // The window menu below the title bar's left end (its object name is
    // "WindowMenu").
    QMenu* ShowMenu();

    // Pixels one arrow key moves or sizes the window by (one with Ctrl).
    static constexpr int kStep = 10;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void Start(Mode mode);
    void Finish(bool keep);
    bool Adjust(int key, bool fine);

    QWidget* window_;
    bool resizable_;
    std::function<void()> close_;
    Mode mode_ = Mode::None;
    QRect before_;
    QPointer<QMenu> menu_;
};

}  // namespace qv
