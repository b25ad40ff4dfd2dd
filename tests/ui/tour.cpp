// Shows the windows in typical states on a real screen and saves pictures of
// them, for the README: run it under an X server (scripts/screenshots).
//
//   ui_tour OUTPUT_FOLDER

#include <QApplication>
#include <QDir>
#include <QPixmap>
#include <QScreen>
#include <QTest>
#include <QTimer>
#include <chrono>

#include "course/record_file.h"
#include "course/resources.h"
#include "course/results_store.h"
#include "course/startup.h"
#include "mainwindow/contents.h"
#include "temp_dir.h"
#include "ui/pop_up.h"

namespace {

void Settle(int ms = 400) { QTest::qWait(ms); }

void Save(const QString& folder, const QString& name, QRect area) {
    const QPixmap screen = QGuiApplication::primaryScreen()->grabWindow(0);
    screen.copy(area.adjusted(-12, -12, 12, 12)).save(QDir(folder).filePath(name));
}

}  // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    if (argc < 2) return 2;
    const QString out = QString::fromLocal8Bit(argv[1]);
    QDir().mkpath(out);

    TempDir dir;
    const qv::DirectoryResourceSource pack{QUORVALE_COURSE_PACK};
    const auto data = qv::PrepareStartupData(pack, dir.path(), std::chrono::system_clock::now());
    std::array<qv::Fields, 6> lists;
    for (auto& list : lists) list.assign(50, "");
    lists[4].assign(50, "0");
    lists[5].assign(50, "0");
    lists[0][0] = "90";   lists[1][0] = "100";
    lists[0][1] = "66.7";
    lists[0][2] = "100";
    lists[0][3] = "45";   lists[1][3] = "80";
    qv::WriteMarksFile(lists, qv::kMarksKeys, 50, dir / "marks2QEN.txt");

    qv::PictureCache pictures(QString::fromStdString((dir.path() / "Graphics").string()));
    qv::PlacedCursor cursor;
    qv::Contents window(data, QString::fromStdString(dir.path().string()), pictures, cursor);
    window.show();
    window.activateWindow();
    Settle();
    cursor.point = window.findChild<QWidget*>("P2b")->mapToGlobal(QPoint(5, 5));
    window.Tick();
    Settle();
    Save(out, "main-home.png", window.frameGeometry());

    QTest::mouseClick(window.findChild<QWidget*>("Tab04"), Qt::LeftButton);
    cursor.point = window.findChild<QWidget*>("ToolBar02")->mapToGlobal(QPoint(30, 20));
    window.Tick();
    Settle();
    Save(out, "main-help.png", window.frameGeometry());

    QTest::mouseClick(window.findChild<QWidget*>("Tab02"), Qt::LeftButton);
    Settle();
    for (int buttons : {1, 2}) {
        qv::frmPopUp dialog(pictures, cursor, window.PopUpResponse, &window);
        if (buttons == 1) {
            dialog.CallPop("Quorvale", "Paper saved", 1, &window);
        } else {
            dialog.CallPop("Marking", "You have not answered all the questions.  Do you still want to mark your practice?", 2, &window);
        }
        dialog.show();
        cursor.point = dialog.findChild<QWidget*>("But1")->mapToGlobal(QPoint(10, 10));
        dialog.Tick();
        Settle();
        Save(out, buttons == 1 ? "popup-one-button.png" : "popup-two-buttons.png", dialog.frameGeometry());
        dialog.hide();
    }
    return 0;
}
