#include "ui/units.h"

#include <QGuiApplication>
#include <QScreen>

namespace qv {

double LogicalDpi() {
    const QScreen* screen = QGuiApplication::primaryScreen();
    return screen ? screen->logicalDotsPerInch() : 96.0;
}

}  // namespace qv
