#include "ui/when_drawn.h"

#include <QEvent>
#include <QPointer>
#include <QTimer>
#include <QWindow>

namespace qv {

namespace {

constexpr int kLongestWaitMs = 1000;

// Owned by the window, so it goes with it.
class DrawnWaiter : public QObject {
public:
    DrawnWaiter(QWidget& window, std::function<void()> act) : QObject(&window), act_(std::move(act)) {
        QWindow* handle = window.windowHandle();
        if (!handle || handle->isExposed()) {
            Run();
            return;
        }
        handle_ = handle;
        handle->installEventFilter(this);
        QTimer::singleShot(kLongestWaitMs, this, [this] { Run(); });
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        // The window is drawn while its expose is handled; the act comes after.
        if (watched == handle_ && event->type() == QEvent::Expose && handle_->isExposed()) Run();
        return false;
    }

private:
    void Run() {
        if (started_) return;
        started_ = true;
        if (handle_) handle_->removeEventFilter(this);
        QTimer::singleShot(0, this, [this] {
            const std::function<void()> act = std::move(act_);
            deleteLater();
            act();
        });
    }

    std::function<void()> act_;
    QPointer<QWindow> handle_;
    bool started_ = false;
};

}  // namespace

void WhenDrawn(QWidget& window, std::function<void()> act) { new DrawnWaiter(window, std::move(act)); }

}  // namespace qv
