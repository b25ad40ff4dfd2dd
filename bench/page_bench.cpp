// Time of showing a question page: the archive decoded alone, then decoded
// and laid out in a bare QTextBrowser (the baseline), then opened from its
// file and laid out by the practice window's PageBrowser.

#include <benchmark/benchmark.h>

#include <QAbstractTextDocumentLayout>
#include <QApplication>
#include <QTextBrowser>
#include <filesystem>

#include "course/atomic_file.h"
#include "practice/mhtml.h"
#include "practice/page_browser.h"

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

}  // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", qgetenv("QT_QPA_PLATFORM").isEmpty() ? "offscreen" : qgetenv("QT_QPA_PLATFORM"));
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
