#include "mainwindow/web_link.h"

#include <QDesktopServices>
#include <QMessageBox>
#include <QStandardPaths>

namespace qv {

namespace {

constexpr char kMakerHost[] = "www.quorvale.com";

}  // namespace

QString MakerPageAddress() { return QString::fromLatin1(kMakerHost) + QStringLiteral("/eduprog.html"); }

bool DesktopHasBrowser() {
#if defined(Q_OS_WIN) || defined(Q_OS_MACOS)
    return true;  // the system always has an opener; a failure shows as the page not opening
#else
    // What the desktop services look for, in their order.
    return !QStandardPaths::findExecutable(QStringLiteral("xdg-open")).isEmpty() ||
           !qEnvironmentVariableIsEmpty("DEFAULT_BROWSER") || !qEnvironmentVariableIsEmpty("BROWSER");
#endif
}

WebLink::WebLink()
    : browserFound(DesktopHasBrowser),
      openUrl([](const QUrl& url) { return QDesktopServices::openUrl(url); }),
      warn([](const QString& title, const QString& text, QWidget* owner) {
          QMessageBox::warning(owner, title, text, QMessageBox::Ok);
      }) {}

WebPageFailure WebLink::OpenWebPage(QWidget* owner) {
    if (!browserFound()) {
        warn(QStringLiteral("Browser Not Found"), QStringLiteral("Could not find associated Browser"), owner);
        return WebPageFailure::NoBrowser;
    }
    // The address is kept without a scheme; the desktop's opener needs one.
    if (!openUrl(QUrl(QStringLiteral("http://") + MakerPageAddress()))) {
        warn(QStringLiteral("URL Failed"), QStringLiteral("Web Page not Opened"), owner);
        return WebPageFailure::NotOpened;
    }
    return WebPageFailure::None;
}

}  // namespace qv
