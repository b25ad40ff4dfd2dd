#include "ui/toolbar_button.h"

#include <QSignalSpy>
#include <functional>
#include <QTest>

#include "skin_fixture.h"
#include "ui/units.h"

namespace {

// Two toolbar buttons on a strip, watched by one press flag.
class ToolbarButtonTest : public SkinTest {
protected:
    void SetUp() override {
        strip_.setGeometry(100, 100, 300, 80);
        save_ = new qv::PictureButton("ToolBar01", *pictures_, &strip_);
        mark_ = new qv::PictureButton("ToolBar02", *pictures_, &strip_);
        save_->move(8, 4);
        mark_->move(100, 4);
        track_.Watch(save_);
        track_.Watch(mark_);
        strip_.show();
        Tick(true, true);
    }
    void Tick(bool saveAvailable, bool markAvailable) {
        qv::EvaluateToolbarButton(*save_, cursor_.point, track_.isDown(), saveAvailable, kSave);
        qv::EvaluateToolbarButton(*mark_, cursor_.point, track_.isDown(), markAvailable, kMark);
    }
    void PlaceCursorOn(QWidget* w) { cursor_.point = w->mapToGlobal(w->rect().center()); }

    const qv::ButtonPictures kSave = qv::ButtonPictures::Named("save", true);
    const qv::ButtonPictures kMark = qv::ButtonPictures::Named("mark", true);
    QWidget strip_;
    qv::PictureButton* save_ = nullptr;
    qv::PictureButton* mark_ = nullptr;
    qv::PressTrack track_;
};

TEST_F(ToolbarButtonTest, PressOnOneButtonShowsPressedOnTheOneUnderTheCursor) {
    struct Step {
        const char* name;
        std::function<void()> act;
        const char* save;
        const char* mark;
        const char* flag;
    };
    const Step steps[] = {
        {"hover Save", [this] { PlaceCursorOn(save_); }, "save_on.bmp", "mark_off.bmp", "0"},
        {"press Save", [this] { QTest::mousePress(save_, Qt::LeftButton); }, "save_pressed.bmp",
         "mark_off.bmp", "1"},
        {"held, over Mark", [this] { PlaceCursorOn(mark_); }, "save_off.bmp",
         "mark_pressed.bmp", "1"},
        {"released on Save", [this] { QTest::mouseRelease(save_, Qt::LeftButton); },
         "save_off.bmp", "mark_on.bmp", "0"},
    };
    for (const Step& step : steps) {
        step.act();
        Tick(true, true);
        EXPECT_EQ(save_->picture(), step.save) << step.name;
        EXPECT_EQ(mark_->picture(), step.mark) << step.name;
        EXPECT_EQ(track_.text(), step.flag) << step.name;
    }
}

TEST_F(ToolbarButtonTest, UnavailableButtonShowsItsDisabledPictureAndIgnoresClicks) {
    QSignalSpy clicks(save_, &qv::PictureButton::clicked);
    PlaceCursorOn(save_);
    Tick(false, true);
    EXPECT_EQ(save_->picture(), "save_disabled.bmp");
    EXPECT_FALSE(save_->isEnabled());
    QTest::mouseClick(save_, Qt::LeftButton);
    save_->click();
    EXPECT_EQ(clicks.count(), 0);

    Tick(true, true);
    EXPECT_TRUE(save_->isEnabled());
    EXPECT_EQ(save_->picture(), "save_on.bmp");
    QTest::mouseClick(save_, Qt::LeftButton);
    EXPECT_EQ(clicks.count(), 1);

    // A button without a disabled picture of its own is shown faded.
    const qv::ButtonPictures print = qv::ButtonPictures::Named("print", false);
    EXPECT_TRUE(print.disabled.isEmpty());
    qv::EvaluateToolbarButton(*mark_, cursor_.point, false, false, print);
    EXPECT_EQ(mark_->picture(), "faded:print_off.bmp");
}

TEST_F(ToolbarButtonTest, ButtonDisabledWhileHeldLetsGoOfThePress) {
    QSignalSpy releases(save_, &qv::PictureButton::released);
    QTest::mousePress(save_, Qt::LeftButton);
    ASSERT_TRUE(track_.isDown());
    Tick(false, true);
    EXPECT_FALSE(track_.isDown());
    EXPECT_EQ(releases.count(), 1);
    EXPECT_FALSE(save_->isDown());
}

TEST(Units, TwipsAndHimetricToPixels) {
    struct Case {
        double dpi;
        double value;
        int twipsPixels;
        int himetricPixels;
    };
    const Case cases[] = {
        {96, 15, 1, 1},       {96, 60, 4, 2},        {96, 120, 8, 5},          {96, 240, 16, 9},
        {96, 800, 53, 30},    {96, 7300, 487, 276},  {144, 7300, 730, 414},    {120, 30000, 2500, 1417},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(qv::TwipsToPixels(c.value, c.dpi), c.twipsPixels) << c.value << " at " << c.dpi;
        EXPECT_EQ(qv::HimetricToPixels(c.value, c.dpi), c.himetricPixels) << c.value << " at " << c.dpi;
    }
    EXPECT_DOUBLE_EQ(qv::PixelsToTwips(487, 96), 7305);
}

}  // namespace
