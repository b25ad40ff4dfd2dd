// The least a Qt Widgets program can do to show a window: a frameless,
// empty window of the main window's size. The start-up and the memory of the
// program are measured against it. Built twice: bare_window links Qt Widgets
// alone; bare_window_printer also links Qt Print Support and creates one
// QPrinter before the window is shown, which shows what the printing
// machinery costs a start.

#include <QApplication>
#include <QWidget>

#ifdef BARE_WINDOW_WITH_PRINTER
#include <QPrinter>
#endif

int main(int argc, char** argv) {
    QApplication app(argc, argv);
#ifdef BARE_WINDOW_WITH_PRINTER
    QPrinter printer;
#endif
    QWidget window(nullptr, Qt::FramelessWindowHint);
    window.setGeometry(4, 4, 405, 492);
    window.show();
    return QApplication::exec();
}
