// Every question page of the course, at the widths a practice window gives
// its page, breaks its lines between words only.

#include <QAbstractTextDocumentLayout>
#include <QTextBlock>
#include <QTextLayout>
#include <filesystem>

#include "practicewindow/page_browser.h"
#include "practice_fixture.h"

namespace {

namespace fs = std::filesystem;

// "strengthene / d": the places where a line ends inside a word.
QStringList BrokenWords(const QTextDocument& document) {
    QStringList broken;
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
        const QTextLayout* layout = block.layout();
        const QString text = block.text();
        for (int i = 0; layout && i + 1 < layout->lineCount(); ++i) {
            const int end = layout->lineAt(i).textStart() + layout->lineAt(i).textLength();
            if (end > 0 && end < text.size() && text.at(end - 1).isLetterOrNumber() && text.at(end).isLetterOrNumber()) {
                broken << text.mid(std::max(0, end - 12), 24);
            }
        }
    }
    return broken;
}

TEST_F(PracticeWindowTest, NoPageBreaksAWordAtAnyWidthTheWindowAllows) {
    // The page widths of a practice window at its first size and at its smallest.
    StartProgram();
    OpenPaper(1, 1);
    QWidget* page = InPractice("brwWebBrowser");
    const int first = page->width();
    Practice()->resize(Practice()->minimumSize());
    QApplication::processEvents();
    const int smallest = page->width();
    ASSERT_LT(smallest, first);

    qv::PageBrowser browser;
    browser.show();
    int pages = 0;
    for (const auto& entry : fs::directory_iterator(QUORVALE_COURSE_PACK)) {
        const int id = std::atoi(entry.path().filename().string().c_str());
        if (id < 13001 || id >= 16000) continue;
        ++pages;
        ASSERT_EQ(browser.Navigate(QString::fromStdString(entry.path().string())), qv::PageStatus::Shown) << id;
        for (int width : {first, smallest}) {
            browser.resize(width, 400);
            browser.document()->documentLayout()->documentSize();  // lay the page out
            EXPECT_EQ(BrokenWords(*browser.document()), QStringList()) << "page " << id << " at " << width << " px";
        }
    }
    EXPECT_EQ(pages, 1005);
}

}  // namespace
