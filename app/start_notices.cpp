#include "app/start_notices.h"

#include <QEvent>
#include <QPointer>

#include "ui/when_drawn.h"

namespace qv {

namespace {

// Waits for the window's first show, then for it to be drawn before the
// message box comes.
class ShownWaiter : public QObject {
public:
    ShownWaiter(MainWindow& window, QStringList notices) : QObject(&window), window_(window), notices_(std::move(notices)) {
        if (window.isVisible()) {
            Tell();
        } else {
            window.installEventFilter(this);
        }
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (watched == &window_ && event->type() == QEvent::Show) {
            window_.removeEventFilter(this);
            Tell();
        }
        return false;
    }

private:
    void Tell() {
        WhenDrawn(window_, [this] {
            window_.Ask(QStringLiteral("Quorvale"), notices_.join(QStringLiteral("\n\n")), PopUpButtons::Ok, &window_);
            deleteLater();
        });
    }

    MainWindow& window_;
    QStringList notices_;
};

}  // namespace

QStringList GatherStartNotices(const QString& folderNotice, const StartupData& startup, MainWindow& window,
                               const PictureCache& pictures) {
    QStringList notices;
    if (!folderNotice.isEmpty()) notices << folderNotice;
    for (const std::string& problem : startup.problems()) notices << QString::fromStdString(problem);
    notices << window.TakeNotices();
    for (const QString& name : pictures.missing()) {
        notices << QStringLiteral("The picture \"%1\" is missing from the Graphics folder.").arg(name);
    }
    notices.removeDuplicates();
    return notices;
}

void TellWhenShown(MainWindow& window, const QStringList& notices) {
    if (notices.isEmpty()) return;
    new ShownWaiter(window, notices);
}

}  // namespace qv
