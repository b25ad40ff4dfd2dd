// The least a Qt Widgets program can do to show a window: a frameless,
// empty window of the main window's size. The start-up and the memory of the
// program are measured against it. Built three times: bare_window links Qt
// Widgets alone; bare_window_printer also links Qt Print Support and creates
// one QPrinter before the window is shown, which shows what the printing
// machinery costs a start; bare_window_text shows one line of text in the
// main window's font, which shows what the fonts cost a start (an empty
// window never loads them).

#include <QApplication>
#include <QWidget>

#ifdef BARE_WINDOW_WITH_PRINTER
#include <QPrinter>
#endif
#ifdef BARE_WINDOW_WITH_TEXT
#include <QFont>
#include <QLabel>
#endif

int main(int argc, char** argv) {
    QApplication app(argc, argv);
#ifdef BARE_WINDOW_WITH_PRINTER
    QPrinter printer;
#endif
    QWidget window(nullptr, Qt::FramelessWindowHint);
    window.setGeometry(4, 4, 405, 492);
#ifdef BARE_WINDOW_WITH_TEXT
    QLabel line(QStringLiteral("Quorvale Practice"), &window);
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPointSizeF(9);
    line.setFont(font);
    line.move(12, 12);
#endif
    window.show();
    return QApplication::exec();
}
