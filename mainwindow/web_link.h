#pragma once

// The maker's web page of education programs, opened in the pupil's
// default web browser. No file is written on the way: the desktop names
// the browser itself.

#include <QString>
#include <QUrl>
#include <QWidget>
#include <functional>

namespace qv {

// Host name and path, without a scheme, as the about page shows it.
QString MakerPageAddress();

enum class WebPageFailure { None, NoBrowser, NotOpened };

class WebLink {
public:
    WebLink();

    // Opens the maker's page. When the desktop has no web browser, or the
    // browser does not start, the pupil is told so in the system's message
    // box, once.
    WebPageFailure OpenWebPage(QWidget* owner);

    // Whether the desktop has a program that opens web addresses, how an
    // address is opened, and the system's message box (tests replace them).
    std::function<bool()> browserFound;
    std::function<bool(const QUrl&)> openUrl;
    std::function<void(const QString& title, const QString& text, QWidget* owner)> warn;
};

// True unless the desktop plainly has no opener for web addresses.
bool DesktopHasBrowser();

}  // namespace qv
