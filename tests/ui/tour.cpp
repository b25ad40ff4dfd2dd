// Shows the windows in typical states on a real screen and saves pictures of
// them, for the README: run it under an X server (scripts/screenshots).
//
//   ui_tour OUTPUT_FOLDER

#include <QApplication>
#include <QDir>
#include <QPixmap>
#include <QProcess>
#include <QScreen>
#include <QTest>
#include <QTimer>
#include <chrono>

#include "course/record_file.h"
#include "course/resources.h"
#include "course/results_store.h"
#include "course/startup.h"
#include "mainwindow/main_window.h"
#include "mainwindow/results_printing.h"
#include "temp_dir.h"
#include "tour_gain.h"
#include "tour_kit.h"
#include "ui/look.h"
#include "ui/pop_up.h"
#include "ui/skin_frame.h"
#include "ui/units.h"

namespace {

// Waits until the window manager (or, without one, this function itself) has
// given the window the geometry asked for, keeping its state.
void Await(QWidget& window, QRect geometry) {
    const Qt::WindowStates state = window.windowState();
    for (int i = 0; i < 20 && window.geometry() != geometry; ++i) Settle(50);
    if (window.geometry() != geometry) {
        window.setGeometry(geometry);
        window.setWindowState(state);
    }
    Settle();
}

// A practice-sized window with only its frame: normal, maximised, restored,
// inactive, and resized by its grip down to the smallest size it allows.
void PracticeFrame(qv::PictureCache& pictures, const QString& out) {
    QWidget window;
    window.setAutoFillBackground(true);
    QPalette palette = window.palette();
    palette.setColor(QPalette::Window, qv::kStripColour);
    window.setPalette(palette);
    qv::SkinFrame frame(&window, pictures, qv::SkinFrame::Kind::Practice);
    frame.Title->setText(QStringLiteral("Grammar (1) - Paper 1"));
    auto* page = new QWidget(&window);
    page->setAutoFillBackground(true);
    QPalette white = page->palette();
    white.setColor(QPalette::Window, qv::kPageColour);
    page->setPalette(white);
    QObject::connect(&frame, &qv::SkinFrame::laidOut, [&] {
        const int top = frame.BTopLeft->height() + 62;
        page->setGeometry(frame.BLeft->width(), top, window.width() - frame.BLeft->width() - frame.BRight->width(),
                          window.height() - top - frame.BBot->height());
    });
    const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
    const QRect normal(screen.width() - qv::TwipsToPixels(12500), screen.height() - qv::TwipsToPixels(10000),
                       qv::TwipsToPixels(12000), qv::TwipsToPixels(9000));
    window.setGeometry(normal);
    window.show();
    window.activateWindow();
    Settle();
    const auto hover = [&](QWidget* over) {
        QCursor::setPos(over->mapToGlobal(over->rect().center()));
        frame.EvaluateWindowButtons(QCursor::pos());
        Settle(150);
    };
    hover(frame.imgProgMax);
    Save(out, "practice-frame-normal.png", window.frameGeometry());

    QTest::mouseClick(frame.imgProgMax, Qt::LeftButton);
    Await(window, screen);
    hover(frame.imgProgMax);
    Save(out, "practice-frame-maximised.png", window.frameGeometry().adjusted(12, 12, -12, -12));

    QTest::mouseClick(frame.imgProgMax, Qt::LeftButton);
    Await(window, normal);
    hover(frame.imgProgMax);
    Save(out, "practice-frame-restored.png", window.frameGeometry());

    QWidget other;
    other.setGeometry(20, 20, 120, 60);
    other.show();
    other.activateWindow();
    Settle();
    Save(out, "practice-frame-inactive.png", window.frameGeometry());
    other.hide();
    window.activateWindow();
    Settle();

    // Drag the grip far up and left: the window stops at its minimum size.
    const QPoint corner = window.mapToGlobal(QPoint(window.width() - 2, window.height() - 2));
    QCursor::setPos(corner);
    QTest::mousePress(&window, Qt::LeftButton, {}, window.mapFromGlobal(corner));
    for (const QPoint inWindow : {QPoint(600, 450), QPoint(500, 360), QPoint(487, 334), QPoint(480, 320),
                                  QPoint(300, 200), QPoint(100, 100)}) {
        const QPoint to = window.mapToGlobal(inWindow);
        QCursor::setPos(to);
        QTest::mouseMove(&window, window.mapFromGlobal(to));
        Settle(30);
    }
    QTest::mouseRelease(&window, Qt::LeftButton, {}, window.mapFromGlobal(QCursor::pos()));
    QCursor::setPos(screen.bottomRight());
    frame.EvaluateWindowButtons(QCursor::pos());
    Settle();
    Save(out, "practice-frame-minimum.png", window.frameGeometry());
}

// The four sections of the report page on a module with results in most
// topics, some papers tried twice, and 25 papers in the trend.
void ReportSections(qv::MainWindow& window, qv::PlacedCursor& cursor, const qv::ResourceSource& pack,
                    const TempDir& dir, const QString& out) {
    struct Result {
        int paper;
        const char* first;
        const char* second;
    };
    const Result results[] = {
        {1, "90", "100"}, {2, "66.7", ""}, {3, "100", ""}, {4, "45", "80"}, {5, "72.5", ""},
        {6, "55", "70"},  {7, "62.5", "75"}, {8, "48", ""}, {11, "80", ""}, {12, "85.5", ""},
        {13, "91", "95"}, {16, "35", "60"}, {17, "42", ""}, {21, "70", ""}, {22, "76.7", ""},
        {26, "88", ""},   {27, "93.3", ""}, {31, "60", "72"}, {32, "64", ""}, {36, "77.5", ""},
        {37, "81", ""},   {41, "52", "68"}, {42, "58.3", ""}, {46, "84", ""}, {47, "79", ""},
    };
    qv::MarksLists lists = qv::UnmarkedLists(50);
    std::string trend = "#TRD#";
    for (const Result& result : results) {
        const auto index = static_cast<std::size_t>(result.paper - 1);
        lists.firstScores[index] = result.first;
        lists.secondScores[index] = result.second;
        lists.firstMarked[index] = "1";
        if (*result.second) lists.secondMarked[index] = "1";
        if (*result.second) WriteBothAttempts(pack, dir, result.paper, std::stod(result.first), std::stod(result.second));
        trend += ">" + std::string(result.first);
    }
    if (qv::WriteMarksFile(lists, 50, dir / "marks2QEN.txt") != qv::IoStatus::Ok) {
        qWarning("the marks file could not be written");
        return;
    }
    dir.Write("trend2QEN.txt", trend + "\r\n");

    QTest::mouseClick(window.findChild<QWidget*>("ToolBar02"), Qt::LeftButton);
    const char* names[] = {"main-report-summary.png", "main-report-topics.png", "main-report-trend.png"};
    for (int section = 1; section <= 3; ++section) {
        QTest::mouseClick(window.findChild<QWidget*>(QStringLiteral("RCBar%1").arg(section)), Qt::LeftButton);
        cursor.point = window.mapToGlobal(QPoint(window.width() / 2, 20));
        window.Tick();
        Settle();
        Save(out, QString::fromLatin1(names[section - 1]), window.frameGeometry());
    }
    GainAndMistakes(window, cursor, pack, dir, out);
}

}  // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    const QString out = OutputFolder(argc, argv);
    if (out.isEmpty()) return 2;

    TempDir dir;
    const qv::DirectoryResourceSource pack{QUORVALE_COURSE_PACK};
    const auto data = qv::PrepareStartupData(pack, dir.path(), std::chrono::system_clock::now());
    qv::MarksLists lists = qv::UnmarkedLists(50);
    lists.firstScores[0] = "90";   lists.secondScores[0] = "100";
    lists.firstScores[1] = "66.7";
    lists.firstScores[2] = "100";
    lists.firstScores[3] = "45";   lists.secondScores[3] = "80";
    if (qv::WriteMarksFile(lists, 50, dir / "marks2QEN.txt") != qv::IoStatus::Ok) return 1;

    qv::PictureCache pictures(QString::fromStdString((dir.path() / "Graphics").string()));
    qv::PlacedCursor cursor;
    qv::MainWindow window(data, QString::fromStdString(dir.path().string()), pictures, cursor);
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

    // The results printout, saved as a PDF file and its first page as a picture.
    {
        // The marked papers with the time they took and their dates.
        const char* times[] = {"0:12:5", "0:20:41", "0:9:58", "1:2:3"};
        const char* dates[] = {"02/12/2026", "03/12/2026", "05/12/2026", "08/12/2026"};
        for (int p = 0; p < 4; ++p) {
            lists.timesTaken[p] = times[p];
            lists.dates[p] = dates[p];
        }
        if (qv::WriteMarksFile(lists, 50, dir / "marks2QEN.txt") != qv::IoStatus::Ok) return 1;
        auto* printing = window.findChild<qv::ResultsPrinting*>();
        const QString pdf = QString::fromStdString((dir.path() / "results.pdf").string());
        printing->printer().setOutputFormat(QPrinter::PdfFormat);
        printing->printer().setOutputFileName(pdf);
        printing->ask = [](const QString&, const QString&, qv::PopUpButtons, QWidget*) { return false; };
        window.PrintResults();
        QProcess::execute(QStringLiteral("pdftoppm"),
                          {QStringLiteral("-png"), QStringLiteral("-r"), QStringLiteral("60"), QStringLiteral("-f"),
                           QStringLiteral("1"), QStringLiteral("-l"), QStringLiteral("1"), QStringLiteral("-singlefile"),
                           pdf, QDir(out).filePath(QStringLiteral("printout"))});
    }

    // The about page with the cursor on the link, and the trash page in its three states.
    const auto at = [&](const char* name) {
        QWidget* widget = window.findChild<QWidget*>(QString::fromLatin1(name));
        cursor.point = widget->mapToGlobal(widget->rect().center());
        window.Tick();
        Settle();
    };
    QTest::mouseClick(window.findChild<QWidget*>("ToolBar01"), Qt::LeftButton);
    at("lbl_QVURL");
    Save(out, "main-about.png", window.frameGeometry());
    window.SetResources(pack);
    QTest::mouseClick(window.findChild<QWidget*>("ToolBar02"), Qt::LeftButton);
    at("ButTrash");
    Save(out, "main-trash-offer.png", window.frameGeometry());
    QTest::mouseClick(window.findChild<QWidget*>("ButTrash"), Qt::LeftButton);
    at("ButTrash_No");
    Save(out, "main-trash-confirm.png", window.frameGeometry());
    QTest::mouseClick(window.findChild<QWidget*>("ButTrash_Yes"), Qt::LeftButton);
    at("Trashlbl3");
    Save(out, "main-trash-done.png", window.frameGeometry());

    QTest::mouseClick(window.findChild<QWidget*>("Tab02"), Qt::LeftButton);
    Settle();
    for (int buttons : {1, 2}) {
        qv::frmPopUp dialog(pictures, cursor, &window);
        if (buttons == 1) {
            dialog.CallPop("Quorvale", "Paper saved", qv::PopUpButtons::Ok, &window);
        } else {
            dialog.CallPop("Marking", "You have not answered all the questions.  Do you still want to mark your practice?", qv::PopUpButtons::YesNo, &window);
        }
        dialog.show();
        cursor.point = dialog.findChild<QWidget*>("But1")->mapToGlobal(QPoint(10, 10));
        dialog.Tick();
        Settle();
        Save(out, buttons == 1 ? "popup-one-button.png" : "popup-two-buttons.png", dialog.frameGeometry());
        dialog.hide();
    }
    ReportSections(window, cursor, pack, dir, out);
    PracticeFrame(pictures, out);
    return 0;
}
