// The home page on small courses held in memory: the topics shown, the
// module slots the tabs switch, the look of the paper rows and double-clicks.

#include <QImage>
#include <QSignalSpy>
#include <QTest>

#include "mainwindow/home_page.h"
#include "ui/picture_button.h"
#include "ui_fixture.h"

namespace {

std::vector<std::string> Topics(const std::string& stem, int count) {
    std::vector<std::string> topics;
    for (int k = 1; k <= count; ++k) topics.push_back(stem + " " + std::to_string(k));
    return topics;
}

// Slot 1: seven topics; slot 2: ten; slot 3: three.
qv::MemoryResourceSource ThreeModules(const qv::ResourceSource& pictures) {
    return MakeCourse(pictures, "QTS",
                      {TestModule{"Alpha", Topics("Alpha", 7)}, TestModule{"Beta", Topics("Beta", 10)},
                       TestModule{"Gamma", Topics("Gamma", 3)}});
}

// One double-click as the window system delivers it: a press and a release,
// then the second press as a double-click event and its release. (Qt's own
// QTest::mouseDClick sends the double-click event alone.)
void DoubleClick(QWidget* widget) {
    const QPoint at = widget->rect().center();
    QTest::mousePress(widget, Qt::LeftButton, {}, at);
    QTest::mouseRelease(widget, Qt::LeftButton, {}, at);
    QTest::mouseDClick(widget, Qt::LeftButton, {}, at);
    QTest::mouseRelease(widget, Qt::LeftButton, {}, at);
}

class HomePageTest : public MainWindowTest {
protected:
    // The lowest row of dark pixels of the window's picture within `area`
    // (window coordinates): the baseline of text without descenders.
    static int InkBottom(const QImage& image, const QRect& area) {
        for (int y = area.bottom(); y >= area.top(); --y) {
            for (int x = area.left(); x <= area.right(); ++x) {
                if (qGray(image.pixel(x, y)) < 110) return y;
            }
        }
        return -1;
    }
    QRect InWindow(QWidget* widget, int width) {
        return QRect(widget->mapTo(window_.get(), QPoint(0, 0)), QSize(width, widget->height()));
    }
};

TEST_F(HomePageTest, ACourseOfSevenTopicsHidesTheLastThree) {
    const auto course = MakeCourse(Pack(), "QTS", {TestModule{"Alpha", Topics("Alpha", 7)}, TestModule{}, TestModule{}});
    Start(course);
    ASSERT_EQ(window_->moduleSlot(), 1);
    EXPECT_EQ(window_->paperCount(), 35);
    for (int k = 1; k <= 10; ++k) {
        SCOPED_TRACE(k);
        EXPECT_EQ(Find("Topic" + std::to_string(k))->isVisible(), k <= 7);
        EXPECT_EQ(Find("Bullet" + std::to_string(k))->isVisible(), k <= 7);
    }
    EXPECT_EQ(Text("Topic7"), "Alpha 7");
    QTest::mouseClick(Find("Topic7"), Qt::LeftButton);
    EXPECT_EQ(window_->topicFirstPaper(), 31);
    EXPECT_EQ(Text("SubH1"), "Alpha 7");
}

TEST_F(HomePageTest, EachModuleTabReadsItsOwnSlot) {
    struct Case {
        const char* tab;
        int slot;
        int papers;
        int topics;
        const char* firstScore;  // paper 1 of the slot's marks file
    };
    const auto course = ThreeModules(Pack());
    Prepare(course);
    WriteScores({{1, {"11", ""}}}, "marks1QTS.txt", 35);
    WriteScores({{1, {"22", "23"}}}, "marks2QTS.txt", 50);
    WriteScores({{1, {"33", ""}}}, "marks3QTS.txt", 15);
    Open();
    const int tabWidth = Find("Tab01")->width();
    EXPECT_EQ(Find("Tab01")->x(), 2);
    EXPECT_EQ(Find("Tab02")->x(), 2 + tabWidth - 4);
    EXPECT_EQ(Find("Tab03")->x(), 2 + 2 * (tabWidth - 4));
    EXPECT_EQ(Find("Tab04")->x(), 2 + 3 * (tabWidth - 4));
    EXPECT_EQ(Text("MSA1"), "11");

    const Case cases[] = {{"Tab03", 3, 15, 3, "33"},
                          {"Tab01lbl", 1, 35, 7, "11"},
                          {"Tab02", 2, 50, 10, "22"},
                          {"Tab03lbl", 3, 15, 3, "33"}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.tab);
        QTest::mouseClick(Find("Topic2"), Qt::LeftButton);
        QTest::mouseClick(Find(c.tab), Qt::LeftButton);
        EXPECT_EQ(window_->moduleSlot(), c.slot);
        EXPECT_EQ(window_->paperCount(), c.papers);
        EXPECT_EQ(window_->topicFirstPaper(), 1);  // a module tab returns to topic 1
        EXPECT_EQ(Text("MSA1"), c.firstScore);
        for (int k = 1; k <= 10; ++k) EXPECT_EQ(Find("Topic" + std::to_string(k))->isVisible(), k <= c.topics) << k;
        // The Help tab keeps the slot.
        QTest::mouseClick(Find("Tab04"), Qt::LeftButton);
        EXPECT_EQ(window_->moduleSlot(), c.slot);
    }
}

TEST_F(HomePageTest, ADoubleClickIsOneClick) {
    Start();
    std::vector<int> papers;
    QObject::connect(window_.get(), &qv::MainWindow::paperRequested,
                     [&](const qv::PaperRequest& request) { papers.push_back(request.paperKey); });
    QSignalSpy topics(Find<qv::HomePage>("Body_Home"), &qv::HomePage::topicClicked);
    DoubleClick(Find("Topic3"));
    ASSERT_EQ(topics.count(), 1);
    EXPECT_EQ(topics.at(0).at(0).toInt(), 3);
    EXPECT_EQ(window_->topicFirstPaper(), 11);
    DoubleClick(Find("P1a"));
    EXPECT_EQ(papers, (std::vector<int>{111}));
}

TEST_F(HomePageTest, ScoresShareTheBaselineOfTheirRowsAndButtonsDoNotOverlap) {
    Start({{1, {"90", "100"}}, {2, {"66.7", ""}}, {3, {"8", "75"}}});
    QApplication::processEvents();
    const QImage image = window_->grab().toImage();
    for (int j = 1; j <= 3; ++j) {
        SCOPED_TRACE(j);
        const std::string n = std::to_string(j);
        auto* caption = Find<QLabel>("LblA" + n);
        auto* score = Find<QLabel>("MSA" + n);
        // "1st" has no descender; the score's digits have none either.
        const int captionWidth = caption->fontMetrics().horizontalAdvance("1st");
        const int expected = InkBottom(image, InWindow(caption, captionWidth));
        ASSERT_GT(expected, 0);
        EXPECT_EQ(InkBottom(image, InWindow(score, score->width())), expected);
    }
    for (int j = 1; j <= 5; ++j) {
        SCOPED_TRACE(j);
        const QRect first = Find("P" + std::to_string(j) + "a")->geometry();
        const QRect second = Find("P" + std::to_string(j) + "b")->geometry();
        EXPECT_FALSE(first.intersects(second));
        if (j < 5) {
            EXPECT_FALSE(second.intersects(Find("P" + std::to_string(j + 1) + "a")->geometry()));
        }
    }
}

}  // namespace
