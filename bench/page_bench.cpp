// Time of showing a question page: the archive decoded alone, then decoded
// and laid out in a bare QTextBrowser (the baseline), then opened from its
// file and laid out by the practice window's PageBrowser; and the two things
// the pupil waits for in a practice window: a move to another question
// (answers stored and saved, the page decoded and laid out, the sheet
// refilled; the typing before it is not timed; and the same move with
// nothing typed, which saves nothing), the opening of a paper, and one
// second of the clock. The moves and the bare browser's pages are each timed
// after a pause, as a pupil's moves come.

#include <benchmark/benchmark.h>

#include <QAbstractTextDocumentLayout>
#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QTextBrowser>
#include <chrono>
#include <filesystem>
#include <thread>

#include "course/atomic_file.h"
#include "course/startup.h"
#include "mainwindow/main_window.h"
#include "app/practice_opener.h"
#include "practicewindow/practice_window.h"
#include "temp_dir.h"
#include "mhtml/mhtml.h"
#include "practicewindow/page_browser.h"

namespace {

namespace fs = std::filesystem;

const fs::path kPage = fs::path(QUORVALE_COURSE_PACK) / "13001";

const std::string& PageBytes() {
    static const std::string bytes = qv::ReadWholeFile(kPage).value;
    return bytes;
}

// Both browsers are shown (on the offscreen screen unless another is asked
// for), so that their pages are laid out at the width they are shown at.
void LayOut(QTextBrowser& browser) {
    benchmark::DoNotOptimize(browser.document()->documentLayout()->documentSize());
    QApplication::processEvents();
}

// Between two moves the pupil reads and answers while the window's thread
// sleeps, so a real move starts on a thread that has given up its core and
// whose caches have cooled; that alone adds about 60 µs, a seventh, to a
// move on this machine. Each timed move, and each timed page of the
// baseline alike, follows such a pause, with what comes before it (the
// typing, the last write) done in it, untimed.
template <typename Meanwhile>
void PupilsPause(benchmark::State& state, Meanwhile meanwhile) {
    state.PauseTiming();
    meanwhile();
    std::this_thread::sleep_for(std::chrono::milliseconds(1));
    state.ResumeTiming();
}

void BM_DecodePage(benchmark::State& state) {
    for (auto _ : state) {
        benchmark::DoNotOptimize(qv::DecodeMhtml(PageBytes()));
    }
}
BENCHMARK(BM_DecodePage);

void BM_DecodeAndRenderInABareBrowser(benchmark::State& state) {
    QTextBrowser browser;
    browser.resize(600, 400);
    browser.show();
    for (auto _ : state) {
        PupilsPause(state, [] {});
        const qv::MhtmlArchive archive = qv::DecodeMhtml(PageBytes());
        browser.setHtml(QString::fromStdString(archive.html));
        LayOut(browser);
    }
}
BENCHMARK(BM_DecodeAndRenderInABareBrowser)->Unit(benchmark::kMicrosecond);

void BM_PageBrowserNavigate(benchmark::State& state) {
    qv::PageBrowser browser;
    browser.resize(600, 400);
    browser.show();
    const QString path = QString::fromStdString(kPage.string());
    for (auto _ : state) {
        browser.Navigate(path);
        LayOut(browser);
    }
}
BENCHMARK(BM_PageBrowserNavigate)->Unit(benchmark::kMicrosecond);

// The program started on the packed course in a fresh folder.
struct Program {
    TempDir dir;
    qv::DirectoryResourceSource pack{QUORVALE_COURSE_PACK};
    qv::StartupData data = qv::PrepareStartupData(pack, dir.path(), std::chrono::system_clock::now());
    qv::PictureCache pictures{QString::fromStdString((dir.path() / "Graphics").string()), &pack};
    qv::PlacedCursor cursor;
    qv::MainWindow window{data, QString::fromStdString(dir.path().string()), pictures, cursor};
    qv::PracticeOpener& opener = *new qv::PracticeOpener(window, pack);  // the main window owns it

    Program() {
        opener.ask = [](const QString&, const QString&, qv::PopUpButtons, QWidget*) { return true; };
        window.show();
    }
    void Open(const char* paperKey) {
        opener.OpenPaper({std::atoi(paperKey), qv::Attempt::First});
    }
};

// Back and forth between questions 1 and 2; with `typing`, each move comes
// after a changed answer, so each move saves, as when the pupil answers. A
// move's save is written on a thread of its own after the next question
// shows: timed is what the pupil waits for, and with `written` the write too
// (measured with the CPU time of every thread).
enum class Write { Apart, Timed };
void QuestionMoves(benchmark::State& state, bool typing, Write write = Write::Apart) {
    Program program;
    program.Open("101");
    qv::PracticeWindow* window = program.opener.current();
    auto* field = window->findChild<QLineEdit*>(QStringLiteral("FA1"));
    int target = 2, move = 0;
    for (auto _ : state) {
        PupilsPause(state, [&] {
            if (!typing) return;
            window->attempt().FinishWrites();  // the pupil types for longer than a write takes
            field->setText((move++ / 2) % 2 ? QStringLiteral("1") : QStringLiteral("2"));
            QApplication::processEvents();
        });
        window->GoToQuestion(target);
        QApplication::processEvents();
        if (write == Write::Timed) window->attempt().FinishWrites();
        target = target == 2 ? 1 : 2;
    }
}
void BM_QuestionMove(benchmark::State& state) { QuestionMoves(state, true); }
BENCHMARK(BM_QuestionMove)->Unit(benchmark::kMicrosecond);
void BM_QuestionMoveWithoutTyping(benchmark::State& state) { QuestionMoves(state, false); }
BENCHMARK(BM_QuestionMoveWithoutTyping)->Unit(benchmark::kMicrosecond);
void BM_QuestionMoveWithItsWrite(benchmark::State& state) { QuestionMoves(state, true, Write::Timed); }
BENCHMARK(BM_QuestionMoveWithItsWrite)->MeasureProcessCPUTime()->Unit(benchmark::kMicrosecond);

void BM_OpenPaper(benchmark::State& state) {
    Program program;
    for (auto _ : state) {
        program.Open("128");  // the largest papers: 50 parts
        QApplication::processEvents();
        state.PauseTiming();
        program.opener.UnloadAll();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        state.ResumeTiming();
    }
}
BENCHMARK(BM_OpenPaper)->Unit(benchmark::kMicrosecond);

// One second of the clock: its label shows another time and is painted.
void BM_ClockTick(benchmark::State& state) {
    Program program;
    program.Open("101");
    auto* clock = program.opener.current()->findChild<QLabel*>(QStringLiteral("lblClock"));
    QApplication::processEvents();
    int second = 0;
    for (auto _ : state) {
        clock->setText(QStringLiteral("00:0%1:%2").arg(second / 60 % 10).arg(second % 60, 2, 10, QLatin1Char('0')));
        ++second;
        QApplication::processEvents();
    }
}
BENCHMARK(BM_ClockTick)->Unit(benchmark::kMicrosecond);

}  // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", qgetenv("QT_QPA_PLATFORM").isEmpty() ? "offscreen" : qgetenv("QT_QPA_PLATFORM"));
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
