#include "ui/skin_frame.h"

#include <QSignalSpy>
#include <QTest>

#include "skin_fixture.h"
#include "ui/look.h"
#include "ui/units.h"
#include "ui/window_outline.h"

namespace {

using Kind = qv::SkinFrame::Kind;

// A plain widget of practice-window size (12000 x 9000 twips) with the frame.
class SkinFrameTest : public SkinTest {
protected:
    void Open(Kind kind = Kind::Practice, QSize size = QSize(800, 600)) {
        ASSERT_EQ(qv::LogicalDpi(), 96.0) << "the pixel values below are for 96 dots per inch";
        host_ = std::make_unique<QWidget>();
        host_->setGeometry(QRect(QPoint(100, 80), size));
        frame_ = new qv::SkinFrame(host_.get(), *pictures_, kind, &cursor_);
        host_->show();
        QCoreApplication::processEvents();
    }
    void PlaceCursor(QPoint inHost) { cursor_.point = host_->mapToGlobal(inHost); }
    QPoint CursorInHost() const { return cursor_.point - host_->mapToGlobal(QPoint(0, 0)); }
    void Press(QPoint inHost, Qt::MouseButton button = Qt::LeftButton) {
        PlaceCursor(inHost);
        SendButton(host_.get(), QEvent::MouseButtonPress, button);
    }
    void DragTo(QPoint inHost) {
        PlaceCursor(inHost);
        SendMove(host_.get(), Qt::LeftButton);
        QCoreApplication::processEvents();
    }
    void Release() { SendButton(host_.get(), QEvent::MouseButtonRelease); }
    void Tick() { frame_->EvaluateWindowButtons(cursor_.point); }
    static bool Shows(const QLabel* label, const QPixmap& picture) {
        return label->pixmap().toImage() == picture.toImage();
    }

    std::unique_ptr<QWidget> host_;
    qv::SkinFrame* frame_ = nullptr;
};

TEST_F(SkinFrameTest, MaximiseAndRestoreSwapThePictureOnTheNextTick) {
    Open();
    QWidget* max = frame_->imgProgMax;
    ASSERT_NE(max, nullptr);
    EXPECT_EQ(frame_->imgProgMax->picture(), "prog_blueoff_max.bmp");

    QTest::mouseClick(max, Qt::LeftButton);
    EXPECT_TRUE(host_->isMaximized());
    EXPECT_EQ(frame_->imgProgMax->picture(), "prog_blueoff_max.bmp") << "not before the tick";
    Tick();
    EXPECT_EQ(frame_->imgProgMax->picture(), "prog_blueoff_norm.bmp");
    PlaceCursor(max->geometry().center());
    Tick();
    EXPECT_EQ(frame_->imgProgMax->picture(), "prog_blue_norm.bmp");

    QTest::mouseClick(max, Qt::LeftButton);
    EXPECT_FALSE(host_->isMaximized());
    EXPECT_EQ(frame_->imgProgMax->picture(), "prog_blue_norm.bmp");
    PlaceCursor(max->geometry().center());
    Tick();
    EXPECT_EQ(frame_->imgProgMax->picture(), "prog_blue_max.bmp");

    host_->showMinimized();
    PlaceCursor(QPoint(-50, -50));
    Tick();
    EXPECT_EQ(frame_->imgProgMax->picture(), "prog_blue_max.bmp") << "left alone while minimised";
    EXPECT_EQ(frame_->imgProgClose->picture(), "prog_blueoff_close.bmp");
}

TEST_F(SkinFrameTest, MinimiseButtonMinimisesMainAndPracticeWindows) {
    for (Kind kind : {Kind::Main, Kind::Practice}) {
        Open(kind);
        QTest::mouseClick(frame_->imgProgMin, Qt::LeftButton);
        EXPECT_TRUE(host_->isMinimized()) << int(kind);
    }
}

TEST_F(SkinFrameTest, GripResizesOnlyFromTheBottomRightCorner) {
    struct Case {
        const char* name;
        QPoint press;
        Qt::MouseButton button;
        QPoint snapped;  // where the press leaves the cursor
        QPoint dragTo;
        QSize size;  // after the drag
    };
    const Case cases[] = {
        {"corner", {797, 596}, Qt::LeftButton, {800, 600}, {900, 650}, {900, 650}},
        {"corner, smaller", {795, 595}, Qt::LeftButton, {800, 600}, {700, 500}, {700, 500}},
        {"right band only", {797, 300}, Qt::LeftButton, {800, 300}, {900, 650}, {800, 600}},
        {"bottom band only", {400, 597}, Qt::LeftButton, {400, 600}, {900, 650}, {800, 600}},
        {"left band", {3, 300}, Qt::LeftButton, {0, 300}, {900, 650}, {800, 600}},
        {"top-left corner", {2, 2}, Qt::LeftButton, {0, 0}, {900, 650}, {800, 600}},
        {"bottom-left corner", {2, 597}, Qt::LeftButton, {0, 600}, {900, 650}, {800, 600}},
        {"inside the bands", {794, 594}, Qt::LeftButton, {794, 594}, {900, 650}, {800, 600}},
        {"right button in the corner", {797, 597}, Qt::RightButton, {797, 597}, {900, 650}, {800, 600}},
    };
    for (const Case& c : cases) {
        Open();
        Press(c.press, c.button);
        EXPECT_EQ(CursorInHost(), c.snapped) << c.name;
        DragTo(c.dragTo);
        EXPECT_EQ(host_->size(), c.size) << c.name;
        Release();
        DragTo({1000, 700});
        EXPECT_EQ(host_->size(), c.size) << c.name << ": after the release";
    }
}

TEST_F(SkinFrameTest, MaximisedWindowIsNotResizedByItsGrip) {
    Open();
    frame_->MaximiseOrRestore();
    QCoreApplication::processEvents();
    ASSERT_TRUE(host_->isMaximized());
    const QSize maximised = host_->size();
    const QPoint corner(maximised.width() - 2, maximised.height() - 2);
    PlaceCursor(corner);
    SendMove(host_.get());
    EXPECT_EQ(host_->cursor().shape(), Qt::ArrowCursor);
    Press(corner);
    EXPECT_EQ(CursorInHost(), corner);
    DragTo({600, 400});
    EXPECT_EQ(host_->size(), maximised);
    Release();
}

TEST_F(SkinFrameTest, GripKeepsTheMinimumSizeWhileTheOtherSideFollows) {
    // 7300 twips is 486.7 pixels and 5000 twips 333.3, both exclusive.
    Open();
    Press({797, 597});
    struct Step {
        QPoint to;
        QSize size;
    };
    const Step steps[] = {
        {{487, 500}, {487, 500}},  // the narrowest width above the minimum
        {{486, 480}, {487, 480}},  // too narrow: the width stays, the height follows
        {{300, 400}, {487, 400}},
        {{300, 334}, {487, 334}},  // the lowest height above the minimum
        {{300, 333}, {487, 334}},
        {{600, 200}, {600, 334}},  // the width follows again while the height stays
        {{10, 10}, {600, 334}},    // within two bands of the corner: nothing changes
        {{640, 420}, {640, 420}},
    };
    for (const Step& step : steps) {
        DragTo(step.to);
        EXPECT_EQ(host_->size(), step.size) << step.to.x() << "," << step.to.y();
    }
    Release();
}

TEST_F(SkinFrameTest, PointerShowsTheBandsAndCorners) {
    struct Case {
        QPoint at;
        Qt::MouseButtons buttons;
        Qt::CursorShape shape;
    };
    const Case cases[] = {
        {{5, 300}, Qt::NoButton, Qt::SizeHorCursor},    {{6, 300}, Qt::NoButton, Qt::ArrowCursor},
        {{795, 300}, Qt::NoButton, Qt::SizeHorCursor},  {{794, 300}, Qt::NoButton, Qt::ArrowCursor},
        {{400, 5}, Qt::NoButton, Qt::SizeVerCursor},    {{400, 595}, Qt::NoButton, Qt::SizeVerCursor},
        {{400, 594}, Qt::NoButton, Qt::ArrowCursor},    {{2, 2}, Qt::NoButton, Qt::SizeFDiagCursor},
        {{798, 598}, Qt::NoButton, Qt::SizeFDiagCursor}, {{2, 598}, Qt::NoButton, Qt::SizeBDiagCursor},
        {{798, 2}, Qt::NoButton, Qt::SizeBDiagCursor},  {{798, 300}, Qt::LeftButton, Qt::SizeHorCursor},
    };
    Open();
    for (const Case& c : cases) {
        host_->setCursor(Qt::WaitCursor);
        PlaceCursor(c.at);
        SendMove(host_.get(), c.buttons);
        EXPECT_EQ(host_->cursor().shape(), c.shape) << c.at.x() << "," << c.at.y();
    }
    // With the button held down outside the bands the pointer stays as it is.
    host_->setCursor(Qt::SizeVerCursor);
    PlaceCursor({400, 300});
    SendMove(host_.get(), Qt::LeftButton);
    EXPECT_EQ(host_->cursor().shape(), Qt::SizeVerCursor);
    // A border picture under the pointer shows the same shapes.
    PlaceCursor({798, 300});
    SendMove(frame_->BRight);
    EXPECT_EQ(frame_->BRight->cursor().shape(), Qt::SizeHorCursor);
}

TEST_F(SkinFrameTest, PracticeTitleBarAndGripFollowEveryResize) {
    Open();
    QSignalSpy laidOut(frame_, &qv::SkinFrame::laidOut);
    int contentRight = -1;
    QObject::connect(frame_, &qv::SkinFrame::laidOut, [&] { contentRight = frame_->BRight->x(); });
    for (const QSize size : {QSize(1000, 700), QSize(2400, 700), QSize(800, 600)}) {
        contentRight = -1;
        host_->resize(size);
        QCoreApplication::processEvents();
        const int w = size.width();
        const int h = size.height();
        EXPECT_EQ(contentRight, w - 4) << "the content is laid out after the frame";
        EXPECT_EQ(frame_->Title->x(), 30);
        EXPECT_EQ(frame_->ImgIco->x(), 9);
        EXPECT_EQ(frame_->imgProgClose->x(), w - 20 - 5);
        EXPECT_EQ(frame_->imgProgMax->x(), frame_->imgProgClose->x() - 20 - 2);
        EXPECT_EQ(frame_->imgProgMin->x(), frame_->imgProgMax->x() - 20 - 2);
        EXPECT_EQ(frame_->imgProgClose->y(), (28 - 20) / 2);
        EXPECT_EQ(frame_->Sizer->geometry(), QRect(w - 12 - 2, h - 12 - 2, 12, 12));
        EXPECT_EQ(frame_->BBot->geometry(), QRect(4, h - 4, w - 8, 4));
        // The middle is 30000 twips wide, or as wide as the window; the right end covers it.
        EXPECT_EQ(frame_->BTopCentre->geometry(), QRect(8, 0, std::max(2000, w - 8), 28));
        EXPECT_EQ(host_->childAt(w - 3, 14), frame_->BTopRight);
        EXPECT_EQ(host_->childAt(w - 3, h - 3), frame_->Sizer);
        EXPECT_EQ(frame_->Outline().size(), 12);
        EXPECT_EQ(frame_->Outline(), qv::WindowOutline(w, h));
        EXPECT_TRUE(host_->mask().contains(QPoint(w - 1, h - 1)));
        EXPECT_FALSE(host_->mask().contains(QPoint(w - 1, 0)));
    }
    EXPECT_EQ(laidOut.count(), 3);
}

TEST_F(SkinFrameTest, IconAndTitleFollowTheWindow) {
    struct Case {
        Kind kind;
        const char* title;
        const char* icon;
    };
    const Case cases[] = {{Kind::Main, "Title", "QVicon.ico"},
                          {Kind::Practice, "Title", "pencil.ico"},
                          {Kind::Dialog, "lblTitle", nullptr}};
    for (const Case& c : cases) {
        Open(c.kind);
        QLabel* title = host_->findChild<QLabel*>(c.title);
        ASSERT_EQ(title, frame_->Title);
        EXPECT_EQ(title->font().pointSizeF(), 9.75);
        EXPECT_TRUE(title->font().bold());
        if (!c.icon) {
            EXPECT_EQ(frame_->ImgIco, nullptr);
            continue;
        }
        const QPixmap& icon = pictures_->Get(c.icon);
        ASSERT_FALSE(icon.isNull()) << c.icon;
        EXPECT_TRUE(Shows(frame_->ImgIco, icon.scaled(16, 16, Qt::KeepAspectRatio, Qt::SmoothTransformation)))
            << c.icon;
        EXPECT_FALSE(host_->windowIcon().isNull());
    }
}

TEST_F(SkinFrameTest, InactiveLookStopsTheHoverPictures) {
    Open();
    QWidget other;
    other.setGeometry(950, 80, 200, 100);
    other.show();
    QSignalSpy changes(frame_, &qv::SkinFrame::activeChanged);
    const auto activate = [](QWidget* window) {
        window->activateWindow();
        return QTest::qWaitForWindowActive(window);
    };

    ASSERT_TRUE(activate(&other));
    EXPECT_FALSE(frame_->active());
    EXPECT_EQ(frame_->Title->palette().color(QPalette::WindowText), qv::kInactiveTitleColour);
    EXPECT_TRUE(Shows(frame_->BTopLeft, pictures_->Get("border_white_top_left.bmp")));
    EXPECT_EQ(frame_->imgProgClose->picture(), "prog_white_close.bmp");
    EXPECT_EQ(frame_->imgProgMax->picture(), "prog_white_max.bmp");
    EXPECT_EQ(frame_->imgProgMin->picture(), "prog_white_min.bmp");
    PlaceCursor(frame_->imgProgClose->geometry().center());
    Tick();
    EXPECT_EQ(frame_->imgProgClose->picture(), "prog_white_close.bmp");

    ASSERT_TRUE(activate(host_.get()));
    EXPECT_TRUE(frame_->active());
    EXPECT_EQ(frame_->Title->palette().color(QPalette::WindowText), qv::kActiveTitleColour);
    EXPECT_TRUE(Shows(frame_->BTopCentre, pictures_->Get("border_top_center.bmp")));
    EXPECT_EQ(frame_->imgProgClose->picture(), "prog_blueoff_close.bmp");
    Tick();
    EXPECT_EQ(frame_->imgProgClose->picture(), "prog_blue_close.bmp");
    EXPECT_GE(changes.count(), 2);
}

TEST_F(SkinFrameTest, DialogTitleBarNeverChanges) {
    Open(Kind::Dialog, QSize(265, 150));
    QWidget other;
    other.setGeometry(950, 80, 200, 100);
    other.show();
    other.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&other));
    EXPECT_TRUE(frame_->active());
    EXPECT_TRUE(Shows(frame_->BTopLeft, pictures_->Get("border_top_left.bmp")));
}

}  // namespace

namespace {

TEST(GripSize, MinimumSizesAreExclusiveAtAnyResolution) {
    struct Case {
        double dpi;
        QPoint cursor;
        QSize size;
    };
    // At 144 dots per inch a pixel is 10 twips: 730 x 500 pixels is exactly the minimum.
    const Case cases[] = {
        {144, {731, 501}, {731, 501}}, {144, {730, 501}, {900, 501}}, {144, {731, 500}, {731, 700}},
        {96, {487, 334}, {487, 334}},  {96, {486, 333}, {900, 700}},  {120, {609, 417}, {609, 417}},
        {120, {608, 416}, {900, 700}}, {144, {12, 900}, {900, 700}},  {144, {900, 12}, {900, 700}},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(qv::GripSize({900, 700}, c.cursor, c.dpi), c.size)
            << c.dpi << " dpi, " << c.cursor.x() << "," << c.cursor.y();
    }
}

}  // namespace
