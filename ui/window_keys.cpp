#include "ui/window_keys.h"

#include <QApplication>
#include <QKeyEvent>
#include <QMenu>
#include <QShortcut>
#include <QWidget>

namespace qv {

WindowKeys::WindowKeys(QWidget* window, bool resizable, std::function<void()> close)
    : QObject(window), window_(window), resizable_(resizable), close_(std::move(close)) {
    const auto add = [this](QKeySequence key, auto action) {
        auto* shortcut = new QShortcut(key, window_);
        shortcut->setContext(Qt::WindowShortcut);
        shortcut->setAutoRepeat(false);
        connect(shortcut, &QShortcut::activated, this, action);
    };
    add(QKeySequence(Qt::ALT | Qt::Key_Space), [this] { ShowMenu(); });
    add(QKeySequence(Qt::ALT | Qt::Key_F7), [this] { StartMove(); });
    if (resizable_) {
        add(QKeySequence(Qt::ALT | Qt::Key_F8), [this] { StartSize(); });
        add(QKeySequence(Qt::ALT | Qt::Key_F10), [this] { MaximiseOrRestore(); });
    }
}

WindowKeys::~WindowKeys() {
    if (mode_ != Mode::None) qApp->removeEventFilter(this);
}

void WindowKeys::MaximiseOrRestore() {
    if (!resizable_ || window_->isMinimized()) return;
    if (window_->isMaximized()) window_->showNormal();
    else window_->showMaximized();
}

QMenu* WindowKeys::ShowMenu() {
    if (!menu_) {
        menu_ = new QMenu(window_);
        menu_->setObjectName(QStringLiteral("WindowMenu"));
        menu_->addAction(QStringLiteral("&Restore"), window_, &QWidget::showNormal)->setObjectName("Restore");
        menu_->addAction(QStringLiteral("&Move\tAlt+F7"), this, &WindowKeys::StartMove)->setObjectName("Move");
        if (resizable_) {
            menu_->addAction(QStringLiteral("&Size\tAlt+F8"), this, &WindowKeys::StartSize)->setObjectName("Size");
        }
        menu_->addAction(QStringLiteral("Mi&nimise"), window_, &QWidget::showMinimized)->setObjectName("Minimise");
        if (resizable_) {
            menu_->addAction(QStringLiteral("Ma&ximise\tAlt+F10"), window_, &QWidget::showMaximized)
                ->setObjectName("Maximise");
        }
        menu_->addSeparator();
        menu_->addAction(QStringLiteral("&Close"), this, [this] {
            if (close_) close_();
        })->setObjectName("Close");
    }
    const bool maximised = window_->isMaximized();
    for (QAction* action : menu_->actions()) {
        const QString name = action->objectName();
        if (name == QLatin1String("Restore")) action->setEnabled(maximised);
        if (name == QLatin1String("Move") || name == QLatin1String("Size") || name == QLatin1String("Maximise")) {
            action->setEnabled(!maximised);
        }
    }
    menu_->popup(window_->mapToGlobal(QPoint(4, 24)));
    return menu_;
}

void WindowKeys::Start(Mode mode) {
    if (mode_ != Mode::None || window_->isMaximized() || window_->isMinimized()) return;
    if (mode == Mode::Size && !resizable_) return;
    mode_ = mode;
    before_ = window_->geometry();
    window_->setCursor(mode == Mode::Move ? Qt::SizeAllCursor : Qt::SizeFDiagCursor);
    qApp->installEventFilter(this);
}

void WindowKeys::Finish(bool keep) {
    if (mode_ == Mode::None) return;
    mode_ = Mode::None;
    qApp->removeEventFilter(this);
    window_->unsetCursor();
    if (!keep) window_->setGeometry(before_);
}

bool WindowKeys::Adjust(int key, bool fine) {
    const int step = fine ? 1 : kStep;
    int dx = 0, dy = 0;
    switch (key) {
        case Qt::Key_Left: dx = -step; break;
        case Qt::Key_Right: dx = step; break;
        case Qt::Key_Up: dy = -step; break;
        case Qt::Key_Down: dy = step; break;
        default: return false;
    }
    if (mode_ == Mode::Move) window_->move(window_->pos() + QPoint(dx, dy));
    else window_->resize(window_->width() + dx, window_->height() + dy);  // kept above the minimum size
    return true;
}

// While the window is moved or sized, the keys are the frame's: no shortcut
// fires and no control hears them. A click anywhere keeps the change.
bool WindowKeys::eventFilter(QObject* watched, QEvent* event) {
    switch (event->type()) {
        case QEvent::WindowDeactivate:
            if (watched == window_) Finish(true);
            return false;
        case QEvent::ShortcutOverride:
            event->accept();
            return true;
        case QEvent::KeyPress: {
            auto* key = static_cast<QKeyEvent*>(event);
            if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) Finish(true);
            else if (key->key() == Qt::Key_Escape) Finish(false);
            else Adjust(key->key(), key->modifiers() & Qt::ControlModifier);
            return true;
        }
        case QEvent::KeyRelease:
            return true;
        case QEvent::MouseButtonPress:
            Finish(true);
            return false;
        default:
            return false;
    }
}

}  // namespace qv
