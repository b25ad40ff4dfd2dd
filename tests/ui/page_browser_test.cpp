#include "practicewindow/page_browser.h"

#include <gtest/gtest.h>

#include <QAbstractTextDocumentLayout>
#include <QApplication>
#include <QBuffer>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QCryptographicHash>
#include <QDir>
#include <QImage>
#include <QLineEdit>
#include <QPrinter>
#include <QPrinterInfo>
#include <QSignalSpy>
#include <QTest>
#include <QTextBlock>
#include <fstream>
#include <random>
#include <sstream>

#include "course/resources.h"
#include "ui/look.h"
#include "ui_fixture.h"

namespace {

namespace fs = std::filesystem;

QString Q(const fs::path& path) {
    return QString::fromStdString(path.string());
}

std::string ReadFile(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

// Runs of blanks as one space, lower case: a reader's text compared loosely.
QString Loose(const QString& text) {
    return text.simplified().toLower();
}

std::string PngBytes(int width, int height, QColor colour) {
    QImage image(width, height, QImage::Format_ARGB32);
    image.fill(colour);
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    return bytes.toStdString();
}

std::string Base64(const std::string& bytes) {
    return QByteArray::fromStdString(bytes).toBase64().toStdString();
}

// A multipart archive: the page, then pictures given as (Content-ID, bytes).
std::string Archive(const std::string& html,
                    const std::vector<std::pair<std::string, std::string>>& pictures = {}) {
    std::string text =
        "MIME-Version: 1.0\r\nContent-Type: multipart/related; boundary=\"sep\"\r\n\r\n--sep\r\n"
        "Content-Type: text/html; charset=utf-8\r\nContent-Location: "
        "http://example.test/page.html\r\n\r\n" +
        html + "\r\n";
    for (const auto& [id, bytes] : pictures) {
        text +=
            "--sep\r\nContent-Type: image/png\r\nContent-Transfer-Encoding: base64\r\nContent-ID: "
            "<" +
            id + ">\r\n\r\n" + Base64(bytes) + "\r\n";
    }
    return text + "--sep--\r\n";
}

// The main window's fixture gives the application and a fresh folder; the
// main window itself is not started.
class PageBrowserTest : public MainWindowTest {
  protected:
    void SetUp() override {
        browser_.resize(600, 400);
        browser_.show();
    }

    QString CoursePage(int id) {
        const fs::path file = dir_ / ("temppaper" + std::to_string(id) + ".mht");
        EXPECT_EQ(qv::ExtractResource(qv::DirectoryResourceSource(QUORVALE_COURSE_PACK), id,
                                      "Custom", file),
                  qv::ExtractStatus::Ok);
        return Q(file);
    }

    QString Write(const std::string& name, const std::string& bytes) {
        return Q(dir_.Write(name, bytes));
    }

    // Every picture the laid-out page shows, by the name the page gives it.
    std::vector<std::pair<QString, QImage>> Pictures() {
        browser_.document()->documentLayout()->documentSize();  // lay the page out
        std::vector<std::pair<QString, QImage>> pictures;
        for (QTextBlock block = browser_.document()->begin(); block.isValid();
             block = block.next()) {
            for (auto it = block.begin(); !it.atEnd(); ++it) {
                const QTextCharFormat format = it.fragment().charFormat();
                if (!format.isImageFormat()) continue;
                const QString name = format.toImageFormat().name();
                pictures.emplace_back(name, browser_.document()
                                                ->resource(QTextDocument::ImageResource, QUrl(name))
                                                .value<QImage>());
            }
        }
        return pictures;
    }

    qv::PageBrowser browser_;
};

TEST_F(PageBrowserTest, ShowsACoursePage) {
    QSignalSpy loaded(&browser_, &qv::PageBrowser::pageLoaded);
    EXPECT_EQ(browser_.objectName(), "brwWebBrowser");
    EXPECT_EQ(browser_.Navigate(CoursePage(13001)), qv::PageStatus::Shown);
    EXPECT_EQ(loaded.count(), 1);
    const QString text = browser_.toPlainText();
    EXPECT_TRUE(text.contains("Aisha ______ her teeth twice a day.")) << text.toStdString();
    EXPECT_TRUE(text.contains("brushes"));
    EXPECT_EQ(browser_.documentTitle(), "Question 13001");

    EXPECT_EQ(browser_.Navigate(CoursePage(13005)), qv::PageStatus::Shown);
    EXPECT_EQ(loaded.count(), 2);
    EXPECT_TRUE(browser_.toPlainText().contains("Mrs Patel gave ______ a gold star for my story."));
    EXPECT_FALSE(browser_.toPlainText().contains("Aisha"));
}

TEST_F(PageBrowserTest, ShowsPagesSavedByAWebBrowserWithTheirPicturesAndStyles) {
    const fs::path folder = QUORVALE_MHTML_TESTDATA;
    if (!fs::exists(folder / "f-one-image.mhtml")) GTEST_SKIP() << "no saved pages in " << folder;
    for (const char* name : {"a-plain-ascii", "b-long-lines", "d-latin1", "e-style-table",
                             "f-one-image", "h-cloze", "j-nearly-empty"}) {
        SCOPED_TRACE(name);
        ASSERT_EQ(browser_.Navigate(Q(folder / (std::string(name) + ".mhtml"))),
                  qv::PageStatus::Shown);
        const QString shown = Loose(browser_.toPlainText());
        for (const QString& line :
             QString::fromStdString(ReadFile(folder / (std::string(name) + ".expected.txt")))
                 .split('\n')) {
            for (const QString& cell : line.split('\t')) {
                EXPECT_TRUE(shown.contains(Loose(cell))) << cell.toStdString();
            }
        }
    }

    ASSERT_EQ(browser_.Navigate(Q(folder / "f-one-image.mhtml")), qv::PageStatus::Shown);
    const QByteArray png =
        browser_
            .loadResource(QTextDocument::ImageResource, QUrl("http://127.0.0.1:45497/img/pic.png"))
            .toByteArray();
    EXPECT_EQ(QCryptographicHash::hash(png, QCryptographicHash::Sha256).toHex(),
              "4226630e4bf9efda07e9b94f62790a34aceb19db1800909fdcaad7b5229687eb");
    const auto pictures = Pictures();
    ASSERT_EQ(pictures.size(), 1u);
    EXPECT_EQ(pictures[0].second.size(), QSize(40, 20));

    ASSERT_EQ(browser_.Navigate(Q(folder / "e-style-table.mhtml")), qv::PageStatus::Shown);
    const QTextBlock heading = browser_.document()->begin();
    EXPECT_EQ(heading.text().trimmed(), "Find the opposite");
    EXPECT_EQ(heading.begin().fragment().charFormat().foreground().color(), QColor(34, 68, 136));
}

TEST_F(PageBrowserTest, FindsACidPictureInTheArchive) {
    const std::string picture = PngBytes(7, 5, Qt::red);
    ASSERT_EQ(
        browser_.Navigate(Write("cid.mht", Archive("<p>See <img src=\"cid:pic%40quorvale\"></p>",
                                                   {{"pic@quorvale", picture}}))),
        qv::PageStatus::Shown);
    EXPECT_EQ(browser_.loadResource(QTextDocument::ImageResource, QUrl("cid:pic@quorvale"))
                  .toByteArray()
                  .toStdString(),
              picture);
    const auto pictures = Pictures();
    ASSERT_EQ(pictures.size(), 1u);
    EXPECT_EQ(pictures[0].second.size(), QSize(7, 5));
    EXPECT_EQ(pictures[0].second.pixelColor(3, 2), QColor(Qt::red));

    // The next page names the same address for another picture.
    ASSERT_EQ(browser_.Navigate(
                  Write("next.mht", Archive("<p><img src=\"cid:pic@quorvale\"></p>",
                                            {{"pic@quorvale", PngBytes(3, 3, Qt::green)}}))),
              qv::PageStatus::Shown);
    const auto next = Pictures();
    ASSERT_EQ(next.size(), 1u);
    EXPECT_EQ(next[0].second.size(), QSize(3, 3));
}

// A page may name files of the pupil's computer and network addresses; none
// of them is read, and only the archive's own parts are shown.
TEST_F(PageBrowserTest, TakesNothingFromOutsideTheArchive) {
    dir_.Write("secret.png", PngBytes(37, 23, Qt::blue));
    dir_.Write("evil.css", "p { color: #ff0000; }\n");
    const std::string folder = dir_.path().string();
    const std::vector<std::string> pictures = {"file://" + folder + "/secret.png",
                                               folder + "/secret.png",
                                               "secret.png",
                                               "./secret.png",
                                               "file:///etc/passwd",
                                               "/etc/passwd",
                                               "http://127.0.0.1:9/secret.png",
                                               "qrc:/secret.png",
                                               "cid:absent@x"};
    const std::vector<std::string> sheets = {"file://" + folder + "/evil.css", "evil.css",
                                             folder + "/evil.css", "http://127.0.0.1:9/evil.css"};
    std::string html = "<html><head>";
    for (const auto& sheet : sheets)
        html += "<link rel=\"stylesheet\" type=\"text/css\" href=\"" + sheet + "\">";
    html += "</head><body><p>Question text</p><p>";
    for (const auto& picture : pictures) html += "<img src=\"" + picture + "\">";
    html += "</p></body></html>";
    // Relative names would be looked for beside the archive, or in the current folder.
    const QString previousFolder = QDir::currentPath();
    QDir::setCurrent(Q(dir_.path()));
    const qv::PageStatus status = browser_.Navigate(Write("page.mht", Archive(html)));
    const auto shown = Pictures();
    QDir::setCurrent(previousFolder);
    ASSERT_EQ(status, qv::PageStatus::Shown);

    for (const auto& name : pictures) {
        EXPECT_TRUE(
            browser_.loadResource(QTextDocument::ImageResource, QUrl(QString::fromStdString(name)))
                .isNull())
            << name;
    }
    for (const auto& name : sheets) {
        EXPECT_TRUE(
            browser_
                .loadResource(QTextDocument::StyleSheetResource, QUrl(QString::fromStdString(name)))
                .isNull())
            << name;
    }
    ASSERT_EQ(shown.size(), pictures.size());
    for (const auto& [name, image] : shown) {
        EXPECT_EQ(image.size(), QSize(1, 1)) << name.toStdString();  // the stand-in, never the file
    }
    const QTextBlock paragraph = browser_.document()->begin();
    ASSERT_EQ(paragraph.text(), "Question text");
    EXPECT_NE(paragraph.begin().fragment().charFormat().foreground().color(), QColor(255, 0, 0));
}

TEST_F(PageBrowserTest, ReportsKeysAndButtonsPressedOnThePage) {
    ASSERT_EQ(browser_.Navigate(CoursePage(13001)), qv::PageStatus::Shown);
    QSignalSpy keys(&browser_, &qv::PageBrowser::keyDown);
    QSignalSpy buttons(&browser_, &qv::PageBrowser::mouseDown);
    QTest::keyClick(&browser_, Qt::Key_C, Qt::ControlModifier);
    QTest::keyClick(&browser_, Qt::Key_X, Qt::ControlModifier);
    QTest::keyClick(&browser_, Qt::Key_C);
    QTest::keyClick(&browser_, Qt::Key_5, Qt::ShiftModifier);
    QList<QVariantList> pressed;  // the keys pressed with the modifiers
    for (const QVariantList& key : keys) {
        if (key[1].toInt() != Qt::Key_Control && key[1].toInt() != Qt::Key_Shift)
            pressed.push_back(key);
    }
    ASSERT_EQ(pressed.size(), 4);
    EXPECT_EQ(pressed[0], (QVariantList{true, 67}));
    EXPECT_EQ(pressed[1], (QVariantList{true, 88}));
    EXPECT_EQ(pressed[2], (QVariantList{false, 67}));
    EXPECT_EQ(pressed[3], (QVariantList{false, 53}));

    const QPoint inside(50, 50);
    QTest::mousePress(browser_.viewport(), Qt::RightButton, {}, inside);
    QTest::mouseRelease(browser_.viewport(), Qt::RightButton, {}, inside);
    QTest::mousePress(browser_.viewport(), Qt::LeftButton, {}, inside);
    QTest::mouseRelease(browser_.viewport(), Qt::LeftButton, {}, inside);
    QTest::mousePress(browser_.viewport(), Qt::MiddleButton, {}, inside);
    QTest::mouseRelease(browser_.viewport(), Qt::MiddleButton, {}, inside);
    ASSERT_EQ(buttons.count(), 3);
    EXPECT_EQ(buttons[0][0].value<Qt::MouseButton>(), Qt::RightButton);
    EXPECT_EQ(buttons[1][0].value<Qt::MouseButton>(), Qt::LeftButton);
    EXPECT_EQ(buttons[2][0].value<Qt::MouseButton>(), Qt::MiddleButton);
}

TEST_F(PageBrowserTest, ShowsAFocusRingOnlyForTheKeyboardsFocus) {
    ASSERT_EQ(browser_.Navigate(CoursePage(13001)), qv::PageStatus::Shown);
    QLineEdit other(browser_.window());
    other.show();
    browser_.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&browser_));
    const auto ringShown = [&] {
        const QImage drawn = browser_.viewport()->grab().toImage();
        for (int y = 0; y < drawn.height(); ++y) {
            if (drawn.pixelColor(1, y) == qv::kHeadingColour) return true;
        }
        return false;
    };
    const struct {
        Qt::FocusReason reason;
        bool ring;
    } rows[] = {{Qt::TabFocusReason, true}, {Qt::BacktabFocusReason, true}, {Qt::MouseFocusReason, false},
                {Qt::OtherFocusReason, false}};
    for (const auto& row : rows) {
        other.setFocus(Qt::OtherFocusReason);
        browser_.setFocus(row.reason);
        ASSERT_TRUE(browser_.hasFocus());
        EXPECT_EQ(ringShown(), row.ring) << row.reason;
    }
    other.setFocus(Qt::OtherFocusReason);
    browser_.setFocus(Qt::TabFocusReason);
    ASSERT_TRUE(ringShown());
    QTest::mouseClick(browser_.viewport(), Qt::LeftButton, {}, QPoint(50, 50));
    EXPECT_FALSE(ringShown()) << "a click on the page";
    browser_.setFocus(Qt::TabFocusReason);
    other.setFocus(Qt::TabFocusReason);
    EXPECT_FALSE(ringShown());
}

TEST_F(PageBrowserTest, GuardRefusesCopyAndTheContextMenu) {
    ASSERT_EQ(browser_.Navigate(CoursePage(13001)), qv::PageStatus::Shown);
    std::vector<qv::PageInput> asked;
    bool refuse = true;
    browser_.setGuard([&](const qv::PageInput& input) {
        asked.push_back(input);
        const bool copy = input.kind == qv::PageInput::Kind::Key && input.ctrl &&
                          (input.keyCode == Qt::Key_C || input.keyCode == Qt::Key_X);
        const bool menu = input.kind == qv::PageInput::Kind::ContextMenu ||
                          (input.kind == qv::PageInput::Kind::Mouse && input.button == Qt::RightButton);
        return refuse && (copy || menu) ? qv::PageVerdict::Refuse : qv::PageVerdict::Allow;
    });
    browser_.selectAll();

    // The context menu opens as a popup; it is looked for once the event is sent.
    const auto menuOpens = [&] {
        QContextMenuEvent event(QContextMenuEvent::Mouse, QPoint(40, 40),
                                browser_.viewport()->mapToGlobal(QPoint(40, 40)));
        QApplication::sendEvent(browser_.viewport(), &event);
        QWidget* popup = QApplication::activePopupWidget();
        if (popup) popup->close();
        return popup != nullptr;
    };

    for (const bool refused : {true, false}) {
        SCOPED_TRACE(refused ? "refused" : "allowed");
        refuse = refused;
        asked.clear();
        QApplication::clipboard()->setText("before");
        QTest::keyClick(&browser_, Qt::Key_C, Qt::ControlModifier);
        EXPECT_EQ(QApplication::clipboard()->text() == "before", refused);
        const auto copy = std::find_if(asked.begin(), asked.end(), [](const qv::PageInput& input) {
            return input.keyCode == Qt::Key_C;
        });
        ASSERT_NE(copy, asked.end());
        EXPECT_TRUE(copy->copies);
        // The selection's other roads out (dragged, the system's selection) go
        // the same way as copy() does.
        browser_.copy();
        EXPECT_EQ(QApplication::clipboard()->text().contains(browser_.toPlainText().left(12)), !refused);
        EXPECT_EQ(menuOpens(), !refused);
    }
    EXPECT_EQ(asked.back().kind, qv::PageInput::Kind::ContextMenu);
}

TEST_F(PageBrowserTest, APageThatCannotBeShownLeavesAMessageNotThePreviousPage) {
    std::mt19937 random(3);
    std::string noise(700, '\0');
    for (char& c : noise) c = static_cast<char>(random());
    const std::string coursePage = ReadFile(fs::path(CoursePage(13001).toStdString()));
    const struct {
        QString path;
        qv::PageStatus status;
    } cases[] = {
        {Write("noise.mht", noise), qv::PageStatus::NotAPage},
        {Write("empty.mht", ""), qv::PageStatus::NotAPage},
        {Write("cut.mht", coursePage.substr(0, 150)), qv::PageStatus::NotAPage},
        {Write("picture.mht", "Content-Type: image/png\r\n\r\n" + PngBytes(2, 2, Qt::red)),
         qv::PageStatus::NotAPage},
        {Q(dir_ / "missing.mht"), qv::PageStatus::Unreadable},
        {Q(dir_.path()), qv::PageStatus::Unreadable},
    };
    QSignalSpy loaded(&browser_, &qv::PageBrowser::pageLoaded);
    for (const auto& c : cases) {
        SCOPED_TRACE(c.path.toStdString());
        ASSERT_EQ(browser_.Navigate(CoursePage(13001)), qv::PageStatus::Shown);
        loaded.clear();
        EXPECT_EQ(browser_.Navigate(c.path), c.status);
        EXPECT_EQ(browser_.toPlainText(), qv::PageBrowser::kUnavailableText);
        EXPECT_EQ(loaded.count(), 0);
        EXPECT_FALSE(browser_.archive().ok());
    }
}

TEST_F(PageBrowserTest, PrintsThePageOrSaysWhyNot) {
    ASSERT_EQ(browser_.Navigate(CoursePage(13001)), qv::PageStatus::Shown);
    QPrinter pdf;
    pdf.setOutputFormat(QPrinter::PdfFormat);
    pdf.setOutputFileName(Q(dir_ / "page.pdf"));
    EXPECT_TRUE(browser_.PrintTo(pdf));
    EXPECT_EQ(dir_.Read("page.pdf").substr(0, 5), "%PDF-");
    // A printer that does not take the page (here its file cannot be made) says so.
    QPrinter nowhere;
    nowhere.setOutputFormat(QPrinter::PdfFormat);
    nowhere.setOutputFileName(Q(dir_ / "no" / "folder" / "page.pdf"));
    EXPECT_FALSE(browser_.PrintTo(nowhere));
    EXPECT_FALSE(qv::PageBrowser::DescribePrintStatus(qv::PrintStatus::NotTaken).isEmpty());

    EXPECT_TRUE(qv::PageBrowser::DescribePrintStatus(qv::PrintStatus::Printed).isEmpty());
    EXPECT_TRUE(qv::PageBrowser::DescribePrintStatus(qv::PrintStatus::Cancelled).isEmpty());
    EXPECT_FALSE(qv::PageBrowser::DescribePrintStatus(qv::PrintStatus::NoPrinter).isEmpty());
    if (!QPrinterInfo::availablePrinters().isEmpty()) GTEST_SKIP() << "a printer is set up here";
    EXPECT_EQ(browser_.PrintPage(&browser_), qv::PrintStatus::NoPrinter);
}

}  // namespace
