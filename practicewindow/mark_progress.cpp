#include "practicewindow/mark_progress.h"

#include <QApplication>
#include <QEvent>
#include <QEventLoop>
#include <QPointer>
#include <QTimer>

namespace qv {

namespace {

// Drops the pupil's input to one window while it is in place.
class InputBlocker : public QObject {
public:
    explicit InputBlocker(QWidget* window) : window_(window) { qApp->installEventFilter(this); }
    ~InputBlocker() override { qApp->removeEventFilter(this); }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        switch (event->type()) {
            case QEvent::KeyPress:
            case QEvent::KeyRelease:
            case QEvent::MouseButtonPress:
            case QEvent::MouseButtonRelease:
            case QEvent::MouseButtonDblClick:
            case QEvent::Wheel:
            case QEvent::Shortcut:
                break;
            default:
                return false;
        }
        auto* widget = qobject_cast<QWidget*>(watched);
        return widget && window_ && widget->window() == window_;
    }

private:
    QPointer<QWidget> window_;
};

void Wait(std::chrono::milliseconds step) {
    if (step.count() <= 0) {
        QApplication::processEvents();
        return;
    }
    QEventLoop loop;
    QTimer::singleShot(step, &loop, &QEventLoop::quit);
    loop.exec();
}

}  // namespace

bool MarkProgress::Run(std::chrono::milliseconds step, const std::function<bool()>& alive) {
    InputBlocker blocker(panel_->window());
    for (QLabel* bar : bars_) bar->hide();
    panel_->show();
    panel_->raise();
    panel_->repaint();
    for (QLabel* bar : bars_) {
        Wait(step);
        if (!alive()) return false;
        bar->show();
        bar->repaint();
    }
    panel_->hide();
    return true;
}

}  // namespace qv
