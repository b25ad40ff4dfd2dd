#include <QMouseEvent>
#include <QTest>

#include "course/navigation.h"
#include "ui/units.h"
#include "ui/skin.h"
#include "ui_fixture.h"

namespace {

using qv::PictureButton;

TEST_F(MainWindowTest, StartsOnTheFirstConfiguredModuleAndTopicOne) {
    Start();
    EXPECT_EQ(window_->moduleSlot(), 2);
    EXPECT_EQ(window_->courseCode(), "QEN");
    EXPECT_EQ(window_->paperCount(), 50);
    EXPECT_EQ(window_->topicFirstPaper(), 1);
    EXPECT_EQ(window_->selectedTab(), 2);
    EXPECT_EQ(Text("SubH1"), "Grammar (1)");
    EXPECT_EQ(Text("Title"), "Quorvale English Practice");
    EXPECT_EQ(Text("Tab02lbl"), "Practice");
    EXPECT_EQ(Text("Tab04lbl"), "Help");
    EXPECT_EQ(Find("Tab02")->toolTip(), "Load Practice Module");
    EXPECT_TRUE(Find("Body_Home")->isVisible());
    for (int k = 1; k <= 10; ++k) EXPECT_TRUE(Find(("Topic" + std::to_string(k)).c_str())->isVisible()) << k;
    EXPECT_EQ(Find<QLabel>("Topic1")->palette().color(QPalette::Window), QColor(128, 128, 128));
    EXPECT_NE(Find<QLabel>("Topic2")->palette().color(QPalette::Window), QColor(128, 128, 128));
}

TEST_F(MainWindowTest, OnlySlotTwoPutsItsTabFirstAndHelpAfterIt) {
    Start();
    const int tabWidth = Find("Tab02")->width();
    EXPECT_EQ(Find("Tab02")->x(), 2);
    EXPECT_EQ(Find("Tab04")->x(), 2 + tabWidth - 4);
    EXPECT_EQ(Find("Tab01")->x(), -tabWidth);
    EXPECT_EQ(Find("Tab03")->x(), -tabWidth);
    EXPECT_EQ(Find("ScnTabBG")->geometry().topLeft(), QPoint(2, 60));
    EXPECT_EQ(Find("Body_Home")->y(), 60 + Find("ScnTabBG")->height());
}

TEST_F(MainWindowTest, TopicTenShowsItsFivePapers) {
    Start({{46, {"100", ""}}, {47, {"98", "100"}}, {48, {"", ""}}, {49, {"66.7", "75"}}, {50, {"0", ""}},
           {1, {"12", ""}}});
    QTest::mouseClick(Find("Topic10"), Qt::LeftButton);
    EXPECT_EQ(window_->topicFirstPaper(), 46);
    EXPECT_EQ(Text("SubH1"), "Comprehension MCQ");
    const char* msa[] = {"MSA1", "MSA2", "MSA3", "MSA4", "MSA5"};
    const char* msb[] = {"MSB1", "MSB2", "MSB3", "MSB4", "MSB5"};
    const QString firsts[] = {"100", "98", "", "66.7", "0"};
    const QString seconds[] = {"", "100", "", "75", ""};
    // A second attempt is offered below a full score only.
    const bool offered[] = {false, true, false, true, true};
    const char* retry[] = {"P1b", "P2b", "P3b", "P4b", "P5b"};
    const char* load[] = {"P1a", "P2a", "P3a", "P4a", "P5a"};
    const int percent = Find("Percent1a")->x();
    for (int j = 0; j < 5; ++j) {
        SCOPED_TRACE(j + 1);
        EXPECT_EQ(Text(msa[j]), firsts[j]);
        EXPECT_EQ(Text(msb[j]), seconds[j]);
        EXPECT_EQ(Find(retry[j])->isVisible(), offered[j]);
        EXPECT_TRUE(Find(load[j])->isVisible());
        QLabel* score = Find<QLabel>(msa[j]);
        EXPECT_EQ(score->x(), firsts[j].isEmpty() ? percent : percent - score->width() - qv::TwipsToPixels(20));
    }
    EXPECT_EQ(Find<QLabel>("Topic10")->palette().color(QPalette::Window), QColor(128, 128, 128));
    EXPECT_NE(Find<QLabel>("Topic1")->palette().color(QPalette::Window), QColor(128, 128, 128));
}

TEST_F(MainWindowTest, PaperButtonsOpenTheirPaper) {
    struct Case {
        const char* topic;
        const char* button;
        int key;
        qv::Attempt attempt;
    };
    Start({{6, {"50", ""}}, {46, {"40", ""}}});
    std::vector<qv::PaperRequest> requests;
    QObject::connect(window_.get(), &qv::MainWindow::paperRequested,
                     [&](const qv::PaperRequest& request) { requests.push_back(request); });
    const Case cases[] = {{"Topic2", "P1a", 106, qv::Attempt::First}, {"Topic10", "P5a", 150, qv::Attempt::First},
                          {"Topic2", "P1b", 106, qv::Attempt::Second}, {"Topic3", "P4a", 114, qv::Attempt::First}};
    for (const Case& c : cases) {
        requests.clear();
        QTest::mouseClick(Find(c.topic), Qt::LeftButton);
        QTest::mouseClick(Find(c.button), Qt::LeftButton);
        ASSERT_EQ(requests.size(), 1u) << c.topic << " " << c.button;
        EXPECT_EQ(requests[0].paperKey, c.key) << c.topic << " " << c.button;
        EXPECT_EQ(requests[0].attempt, c.attempt) << c.topic << " " << c.button;
    }
}

TEST_F(MainWindowTest, RefreshKeepsTheChosenTopicAndShowsNewScores) {
    Start();
    QTest::mouseClick(Find("Topic3"), Qt::LeftButton);
    WriteScores({{11, {"88.8", ""}}});
    window_->RefreshHomePage();
    EXPECT_EQ(window_->topicFirstPaper(), 11);
    EXPECT_EQ(Text("MSA1"), "88.8");
    EXPECT_EQ(Find<QLabel>("Topic3")->palette().color(QPalette::Window), QColor(128, 128, 128));
    // Once refreshed, the module tab goes back to topic 1 as before.
    QTest::mouseClick(Find("Tab02"), Qt::LeftButton);
    EXPECT_EQ(window_->topicFirstPaper(), 1);
}

TEST_F(MainWindowTest, TabLabelsActAsTheirTabsAndTheToolbarFollows) {
    Start();
    QTest::mouseClick(Find("Tab04lbl"), Qt::LeftButton);
    EXPECT_EQ(window_->selectedTab(), 4);
    EXPECT_EQ(window_->moduleSlot(), 2);  // the Help tab keeps the module
    window_->Tick();
    const char* labels[] = {"lblTB01", "lblTB02", "lblTB03", "lblTB04"};
    const char* buttons[] = {"ToolBar01", "ToolBar02", "ToolBar03", "ToolBar04"};
    const QString helpCaptions[] = {"About", "Trash", "", "Setup"};
    const QString helpTips[] = {"About Quorvale", "Trash past results", "", "Printer Setup"};
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(Text(labels[i]), helpCaptions[i]);
        EXPECT_EQ(Find(buttons[i])->toolTip(), helpTips[i]);
        EXPECT_EQ(Find(labels[i])->toolTip(), helpTips[i]);
    }
    EXPECT_FALSE(Find("ToolBar03")->isEnabled());
    EXPECT_TRUE(Find("Body_About")->isVisible());

    QTest::mouseClick(Find("Tab02lbl"), Qt::LeftButton);
    window_->Tick();
    const QString moduleCaptions[] = {"Home", "Report", "Print", "Close"};
    const QString moduleTips[] = {"Load Home page", "Load Report card", "Print results", "Close program"};
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(Text(labels[i]), moduleCaptions[i]);
        EXPECT_EQ(Find(buttons[i])->toolTip(), moduleTips[i]);
        EXPECT_TRUE(Find(buttons[i])->isEnabled());
    }
    EXPECT_TRUE(Find("Body_Home")->isVisible());
}

TEST_F(MainWindowTest, SelectedTabLiesAboveTheStrip) {
    Start();
    QWidget* strip = Find("ScnTabBG");
    QWidget* selected = Find("Tab02");
    QWidget* other = Find("Tab04");
    EXPECT_EQ(selected->y(), strip->y() - selected->height() + 1);
    EXPECT_EQ(other->y(), strip->y() - other->height() + 3);
    const auto children = window_->children();
    EXPECT_GT(children.indexOf(selected), children.indexOf(strip));
    EXPECT_LT(children.indexOf(other), children.indexOf(strip));
    // A focus on a tab goes along to the tab clicked: its ring would be cut
    // off behind the strip.
    window_->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(window_.get()));
    selected->setFocus(Qt::TabFocusReason);
    QTest::mouseClick(other, Qt::LeftButton);
    EXPECT_EQ(QApplication::focusWidget(), other);
    // So does a focus that the hidden page handed on.
    QTest::mouseClick(selected, Qt::LeftButton);
    Find("Topic3")->setFocus(Qt::TabFocusReason);
    QTest::mouseClick(other, Qt::LeftButton);
    for (const char* behind : {"Tab01", "Tab02", "Tab03"}) EXPECT_NE(QApplication::focusWidget(), Find(behind)) << behind;
}

TEST_F(MainWindowTest, ReportSectionSequences) {
    Start();
    auto report = [&] { QTest::mouseClick(Find("lblTB02"), Qt::LeftButton); };
    report();
    EXPECT_TRUE(Find("Body_Report")->isVisible());
    EXPECT_EQ(window_->reportSection(), 1);
    QTest::mouseClick(Find("lblRCBar3"), Qt::LeftButton);
    EXPECT_EQ(window_->reportSection(), 3);
    QTest::mouseClick(Find("Tab04"), Qt::LeftButton);
    QTest::mouseClick(Find("Tab02"), Qt::LeftButton);
    report();
    EXPECT_EQ(window_->reportSection(), 1);

    QTest::mouseClick(Find("RCBar2"), Qt::LeftButton);
    QTest::mouseClick(Find("ToolBar01"), Qt::LeftButton);
    EXPECT_TRUE(Find("Body_Home")->isVisible());
    report();
    EXPECT_EQ(window_->reportSection(), 2);
    QWidget* page = Find("Body_Report");
    const int h = page->height();
    const int bar = Find("RCBar1")->height();
    EXPECT_EQ(Find("RCBar1")->y(), 0);
    EXPECT_EQ(Find("RCBar2")->y(), bar);
    EXPECT_EQ(Find("RCBar3")->y(), h - 2 * bar);
    EXPECT_EQ(Find("RCBar4")->y(), h - bar);
    EXPECT_EQ(Find("RC2Topical")->geometry(), QRect(0, 2 * bar, page->width(), h - 4 * bar));
}

TEST_F(MainWindowTest, HoverPressedAndDisabledPictures) {
    Start();
    auto picture = [&](const char* name) { return Find<PictureButton>(name)->picture(); };
    cursor_.point = QPoint(-5000, -5000);
    window_->Tick();
    EXPECT_EQ(picture("ToolBar01"), "home_off.bmp");
    EXPECT_EQ(picture("Tab02"), "tabs_front_off.bmp");
    EXPECT_EQ(picture("Tab04"), "tabs_back_off.bmp");
    EXPECT_EQ(picture("P1a"), "loadbutton_off.bmp");

    Hover("lblTB01");  // the caption lies on the button
    EXPECT_EQ(picture("ToolBar01"), "home_on.bmp");

    QTest::mousePress(Find("ToolBar01"), Qt::LeftButton);
    window_->Tick();
    EXPECT_EQ(picture("ToolBar01"), "home_pressed.bmp");
    // Held down on one button and moved over another: the other looks pressed.
    Hover("ToolBar02");
    EXPECT_EQ(picture("ToolBar02"), "report_pressed.bmp");
    EXPECT_EQ(picture("ToolBar01"), "home_off.bmp");
    QTest::mouseRelease(Find("ToolBar01"), Qt::LeftButton, {}, QPoint(-1, -1));
    EXPECT_FALSE(window_->toolbarPressed());
    window_->Tick();
    EXPECT_EQ(picture("ToolBar02"), "report_on.bmp");

    Hover("Tab04");
    EXPECT_EQ(picture("Tab04"), "tabs_back_on.bmp");
    Hover("Tab02");
    EXPECT_EQ(picture("Tab02"), "tabs_front_on.bmp");
    Hover("P3a");
    EXPECT_EQ(picture("P3a"), "loadbutton_on.bmp");
    EXPECT_EQ(picture("P2a"), "loadbutton_off.bmp");

    QTest::mouseClick(Find("Tab04"), Qt::LeftButton);
    Hover("ToolBar03");
    EXPECT_FALSE(Find("ToolBar03")->isVisible());  // no command there, nothing shown
    EXPECT_EQ(picture("ToolBar01"), "about_off.bmp");
}

TEST_F(MainWindowTest, WindowButtonsFollowTheCursorOnlyWhileActive) {
    Start();
    auto picture = [&](const char* name) { return Find<PictureButton>(name)->picture(); };
    Hover("imgProgClose");
    EXPECT_EQ(picture("imgProgClose"), "prog_blue_close.bmp");
    EXPECT_EQ(picture("imgProgMin"), "prog_blueoff_min.bmp");

    QWidget other;
    other.show();
    QApplication::setActiveWindow(&other);
    QApplication::processEvents();
    ASSERT_FALSE(window_->isActiveWindow());
    window_->Tick();
    EXPECT_FALSE(window_->looksActive());
    EXPECT_EQ(picture("imgProgClose"), "prog_white_close.bmp");
    EXPECT_EQ(Find<QLabel>("Title")->palette().color(QPalette::WindowText), QColor(128, 128, 128));

    QApplication::setActiveWindow(window_.get());
    QApplication::processEvents();
    ASSERT_TRUE(window_->isActiveWindow());
    window_->Tick();
    EXPECT_TRUE(window_->looksActive());
    EXPECT_EQ(picture("imgProgClose"), "prog_blue_close.bmp");
    EXPECT_EQ(Find<QLabel>("Title")->palette().color(QPalette::WindowText), QColor(255, 255, 255));
}

TEST_F(MainWindowTest, CloseAndMinimisePictures) {
    Start();
    QTest::mouseClick(Find("imgProgClose"), Qt::LeftButton);
    EXPECT_FALSE(window_->isVisible());
}

TEST_F(MainWindowTest, WithoutACourseTheWindowSaysSo) {
    qv::MemoryResourceSource nothing;
    Start(nothing);
    // The core's own words, not a fixed text.
    ASSERT_EQ(startup_.configuration.problems.size(), 1u);
    EXPECT_EQ(Text("NoCourse"), QString::fromStdString(startup_.configuration.problems[0]));
    EXPECT_TRUE(Find("NoCourse")->isVisible());
    EXPECT_FALSE(Find("Topic1")->isVisible());
    EXPECT_EQ(window_->selectedTab(), 4);
}

TEST(WindowOutline, PolygonsOfTheWindowsAndTheDialog) {
    const QPolygon main = qv::WindowOutline(405, 492);
    ASSERT_EQ(main.size(), 12);
    EXPECT_EQ(main[8], QPoint(403, 3));  // not the mirror of (1, 3)
    EXPECT_EQ(main[10], QPoint(405, 492));
    EXPECT_EQ(main[11], QPoint(0, 492));
    const QPolygon dialog = qv::DialogOutline(265, 150);
    ASSERT_EQ(dialog.size(), 18);
    EXPECT_EQ(dialog[10], QPoint(265, 143));
    EXPECT_EQ(dialog[13], QPoint(258, 150));
    EXPECT_EQ(dialog[14], QPoint(7, 150));
    EXPECT_EQ(dialog[17], QPoint(0, 143));
}

TEST(Navigation, ToolbarTooltipsAreBuiltFromTheCaptions) {
    struct Case {
        int tab, button;
        const char* caption;
        const char* tooltip;
    };
    const Case cases[] = {{1, 1, "Home", "Load Home page"},  {2, 2, "Report", "Load Report card"},
                          {3, 3, "Print", "Print results"},  {1, 4, "Close", "Close program"},
                          {4, 1, "About", "About Quorvale"}, {4, 2, "Trash", "Trash past results"},
                          {4, 3, "", ""},                    {4, 4, "Setup", "Printer Setup"}};
    for (const Case& c : cases) {
        const auto look = qv::ToolbarButton(c.tab, c.button);
        EXPECT_EQ(look.caption, c.caption);
        EXPECT_EQ(look.tooltip, c.tooltip);
    }
    EXPECT_EQ(qv::ShowPageAction(4, 3), qv::PageAction::Nothing);
    EXPECT_EQ(qv::ShowPageAction(2, 3), qv::PageAction::PrintResults);
}

TEST(Navigation, TabLeftsForEveryCombinationOfModules) {
    EXPECT_EQ(qv::TabLefts({true, true, true}, 96), (std::array<int, 4>{2, 94, 186, 278}));
    EXPECT_EQ(qv::TabLefts({false, true, false}, 96), (std::array<int, 4>{-96, 2, -96, 94}));
    EXPECT_EQ(qv::TabLefts({true, false, true}, 96), (std::array<int, 4>{2, -96, 94, 186}));
    EXPECT_EQ(qv::TabLefts({false, false, false}, 96), (std::array<int, 4>{-96, -96, -96, 2}));
}

TEST(Navigation, SecondAttemptRule) {
    EXPECT_FALSE(qv::OffersSecondAttempt(""));
    EXPECT_FALSE(qv::OffersSecondAttempt("100"));
    EXPECT_TRUE(qv::OffersSecondAttempt("99.5"));  // 199 of 200: a part is still wrong
    EXPECT_FALSE(qv::OffersSecondAttempt("100.0"));
    EXPECT_TRUE(qv::OffersSecondAttempt("99"));
    EXPECT_TRUE(qv::OffersSecondAttempt("98"));
    EXPECT_TRUE(qv::OffersSecondAttempt("0"));
    EXPECT_TRUE(qv::OffersSecondAttempt("66,7"));
    EXPECT_FALSE(qv::OffersSecondAttempt("garbage"));
    EXPECT_EQ(qv::PaperKey(46, 4), "150");
    EXPECT_EQ(qv::TopicOfFirstPaper(46), 10);
    EXPECT_EQ(qv::TopicOfFirstPaper(7), 0);
}

}  // namespace

namespace {

// Presses on `widget`, moves the mouse by `by` and releases, as a pupil drags.
void Drag(QWidget* widget, QPoint by) {
    const QPoint local(3, 3);
    const QPoint global = widget->mapToGlobal(local);
    QMouseEvent press(QEvent::MouseButtonPress, local, global, Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(widget, &press);
    QMouseEvent move(QEvent::MouseMove, local + by, global + by, Qt::NoButton, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(widget, &move);
    QMouseEvent release(QEvent::MouseButtonRelease, local + by, global + by, Qt::LeftButton, Qt::NoButton,
                        Qt::NoModifier);
    QApplication::sendEvent(widget, &release);
}

TEST_F(MainWindowTest, TheTitleDragsTheWindowButTheBordersDoNot) {
    Start();
    for (const char* grip : {"Title", "BTopLeft", "BTopCentre", "BTopRight"}) {
        const QPoint before = window_->pos();
        Drag(Find(grip), QPoint(40, 25));
        EXPECT_EQ(window_->pos(), before + QPoint(40, 25)) << grip;
    }
    for (const char* border : {"BLeft", "BRight", "BBot"}) {
        const QPoint before = window_->pos();
        Drag(Find(border), QPoint(40, 25));
        EXPECT_EQ(window_->pos(), before) << border;
    }
}

}  // namespace
