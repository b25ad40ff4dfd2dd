// The least a Qt Widgets program can do to show a clock: one label whose
// time moves on once a second. The idle work of the program with a practice
// window open (whose clock does the same) is measured against it.

#include <QApplication>
#include <QLabel>
#include <QTime>
#include <QTimer>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QLabel clock(QStringLiteral("00:00:00"), nullptr, Qt::FramelessWindowHint);
    clock.setGeometry(4, 4, 200, 24);
    clock.show();
    QTimer timer;
    int seconds = 0;
    QObject::connect(&timer, &QTimer::timeout, &clock, [&] {
        clock.setText(QTime(0, 0).addSecs(++seconds).toString(QStringLiteral("hh:mm:ss")));
    });
    timer.start(1000);
    return QApplication::exec();
}
