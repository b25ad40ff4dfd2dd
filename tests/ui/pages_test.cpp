// Only the page shown is visible, takes clicks and follows the cursor; the
// window's own timer keeps the hover pictures up to date.

#include <QTest>

#include "ui/picture_button.h"
#include "ui_fixture.h"

namespace {

using qv::PictureButton;

const char* const kPages[] = {"Body_Home", "Body_Report", "Body_Trash", "Body_About"};

TEST_F(MainWindowTest, OnlyThePageShownIsVisible) {
    struct Step {
        const char* click;
        const char* shown;
    };
    const Step steps[] = {
        {"lblTB02", "Body_Report"}, {"ToolBar01", "Body_Home"},   {"ToolBar02", "Body_Report"},
        {"Tab04", "Body_About"},    {"ToolBar02", "Body_Trash"},  {"ToolBar03", "Body_Trash"},
        {"lblTB01", "Body_About"},  {"Tab02lbl", "Body_Home"},
    };
    Start();
    for (const Step& step : steps) {
        QTest::mouseClick(Find(step.click), Qt::LeftButton);
        for (const char* page : kPages) {
            // A page is built when it is first shown.
            const QWidget* built = window_->findChild<QWidget*>(QString::fromLatin1(page));
            EXPECT_EQ(built && built->isVisible(), QString(page) == step.shown) << step.click << ": " << page;
        }
    }
}

TEST_F(MainWindowTest, ButtonsOfAHiddenPageNeitherHoverNorClick) {
    Start();
    QTest::mouseClick(Find("Tab04"), Qt::LeftButton);
    ASSERT_TRUE(Find("Body_About")->isVisible());
    auto* paper = Find<PictureButton>("P1a");
    EXPECT_FALSE(paper->isVisible());
    // The cursor where the paper button lies, behind the about page.
    PlaceCursorOn(paper);
    window_->Tick();
    EXPECT_EQ(paper->picture(), "loadbutton_off.bmp");
    QWidget* under = window_->childAt(window_->mapFromGlobal(cursor_.point));
    EXPECT_TRUE(under == nullptr || !under->objectName().startsWith("P1")) << under->objectName().toStdString();

    QTest::mouseClick(Find("Tab02"), Qt::LeftButton);
    window_->Tick();
    EXPECT_EQ(paper->picture(), "loadbutton_on.bmp");
}

TEST_F(MainWindowTest, TheWindowsTimerFollowsTheCursor) {
    Start();
    auto* paper = Find<PictureButton>("P2a");
    auto* home = Find<PictureButton>("ToolBar01");
    PlaceCursorOn(paper);
    QTest::qWait(350);
    EXPECT_EQ(paper->picture(), "loadbutton_on.bmp");
    PlaceCursorOn(home);
    QTest::qWait(350);
    EXPECT_EQ(paper->picture(), "loadbutton_off.bmp");
    EXPECT_EQ(home->picture(), "home_on.bmp");
}

}  // namespace
