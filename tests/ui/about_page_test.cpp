// The about page and its web link.

#include <QMouseEvent>
#include <QTest>
#include <QUrl>

#include "mainwindow/about_page.h"
#include "ui_fixture.h"

namespace {

namespace fs = std::filesystem;

class AboutPageTest : public MainWindowTest {
protected:
    void StartAbout() {
        Start();
        QTest::mouseClick(Find("Tab04"), Qt::LeftButton);
        ASSERT_TRUE(Find("Body_About")->isVisible());
        qv::WebLink& link = Find<qv::AboutPage>("Body_About")->webLink();
        link.browserFound = [this] { return browser_; };
        link.openUrl = [this](const QUrl& url) {
            opened_.push_back(url.toString());
            return opens_;
        };
        link.warn = [this](const QString& title, const QString& text, QWidget*) {
            warned_.push_back(title + QStringLiteral(" | ") + text);
        };
    }
    std::vector<std::string> Folder() {
        std::vector<std::string> names;
        for (const auto& entry : fs::directory_iterator(dir_.path())) names.push_back(entry.path().filename().string());
        std::sort(names.begin(), names.end());
        return names;
    }

    bool browser_ = true;
    bool opens_ = true;
    std::vector<QString> opened_;
    std::vector<QString> warned_;
};

TEST_F(AboutPageTest, ShowsTheCourseThePlatformTheVersionAndTheLink) {
    StartAbout();
    EXPECT_FALSE(Find<QLabel>("Logo")->pixmap().isNull());
    EXPECT_EQ(Text("ProgramName"), window_->windowTitle());
    EXPECT_FALSE(Text("ProgramName").isEmpty());
#if defined(__linux__)
    EXPECT_EQ(Text("Label36"), "For Linux");
#elif defined(_WIN32)
    EXPECT_EQ(Text("Label36"), "For Windows");
#endif
    EXPECT_EQ(Text("Label39"), "Version 2.0");
    auto* link = Find<QLabel>("lbl_QVURL");
    EXPECT_EQ(link->text(), "www.quorvale.com");
    EXPECT_TRUE(link->font().underline());
    EXPECT_EQ(link->toolTip(), "Go to Quorvale home page");
    EXPECT_EQ(link->cursor().shape(), Find("Topic1")->cursor().shape());
    EXPECT_NE(link->cursor().shape(), Qt::ArrowCursor);
    // Only the words take the click.
    EXPECT_LE(link->width(), link->fontMetrics().horizontalAdvance(link->text()) + 8);
}

TEST_F(AboutPageTest, TheLinkOpensTheMakersPageOrSaysWhyNot) {
    struct Case {
        const char* name;
        bool browser, opens;
        std::vector<QString> opened, warned;
    };
    const QString page = QStringLiteral("http://www.quorvale.com/eduprog.html");
    const Case cases[] = {
        {"Opens", true, true, {page}, {}},
        {"NoBrowser", false, true, {}, {"Browser Not Found | Could not find associated Browser"}},
        {"BrowserFails", true, false, {page}, {"URL Failed | Web Page not Opened"}},
    };
    StartAbout();
    const auto before = Folder();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        browser_ = c.browser;
        opens_ = c.opens;
        opened_.clear();
        warned_.clear();
        QTest::mouseClick(Find("lbl_QVURL"), Qt::LeftButton);
        EXPECT_EQ(opened_, c.opened);
        EXPECT_EQ(warned_, c.warned);
        EXPECT_EQ(Folder(), before);  // no file is written on the way
    }
}

TEST_F(AboutPageTest, EachClickOpensThePageOnceAndADoubleClickIsOneClick) {
    StartAbout();
    QTest::mouseClick(Find("lbl_QVURL"), Qt::LeftButton);
    QTest::mouseClick(Find("lbl_QVURL"), Qt::LeftButton);
    EXPECT_EQ(opened_.size(), 2u);
    opened_.clear();
    // A double click as the desktop delivers it: two presses and releases, the
    // second press followed by the double-click event.
    QWidget* link = Find("lbl_QVURL");
    const QPointF at = link->rect().center();
    for (int press = 0; press < 2; ++press) {
        QTest::mousePress(link, Qt::LeftButton, {}, at.toPoint());
        if (press == 1) {
            QMouseEvent twice(QEvent::MouseButtonDblClick, at, link->mapToGlobal(at), Qt::LeftButton,
                              Qt::LeftButton, Qt::NoModifier);
            QApplication::sendEvent(link, &twice);
        }
        QTest::mouseRelease(link, Qt::LeftButton, {}, at.toPoint());
    }
    EXPECT_EQ(opened_.size(), 1u);
}

}  // namespace
