#include "ui/picture_cache.h"

#include "skin_fixture.h"
#include "ui/strip_colour.h"

namespace {

using PictureCacheTest = SkinTest;

TEST_F(PictureCacheTest, MissingPictureIsEmptyAndNamedOnce) {
    EXPECT_TRUE(pictures_->Get("no_such.bmp").isNull());
    EXPECT_TRUE(pictures_->Get("no_such.bmp").isNull());
    EXPECT_TRUE(pictures_->Faded("no_such.bmp").isNull());
    EXPECT_TRUE(pictures_->Transparent("no_such.bmp").isNull());
    EXPECT_FALSE(pictures_->Get("button_off.bmp").isNull());
    EXPECT_EQ(pictures_->missing(), QStringList{"no_such.bmp"});
}

TEST_F(PictureCacheTest, FadedPictureLiesTwoThirdsTowardsTheStrip) {
    const QImage plain = pictures_->Get("save_off.bmp").toImage();
    const QImage faded = pictures_->Faded("save_off.bmp").toImage();
    ASSERT_EQ(faded.size(), plain.size());
    for (const QPoint at : {QPoint(0, 0), QPoint(35, 20), QPoint(30, 12)}) {
        const QColor from = plain.pixelColor(at);
        const QColor to = faded.pixelColor(at);
        EXPECT_EQ(to.red(), (from.red() + 2 * qv::kStripColour.red()) / 3) << at.x() << "," << at.y();
        EXPECT_EQ(to.blue(), (from.blue() + 2 * qv::kStripColour.blue()) / 3) << at.x() << "," << at.y();
    }
}

TEST_F(PictureCacheTest, TransparentPictureShowsOnlyWhatIsNotItsBackground) {
    // The grip: dots on a plain ground.
    const QImage grip = pictures_->Transparent("statusgrabber.bmp").toImage();
    struct Case {
        QPoint at;
        bool opaque;
    };
    for (const Case& c : {Case{{0, 0}, false}, Case{{4, 4}, false}, Case{{9, 1}, true}, Case{{11, 11}, true}}) {
        EXPECT_EQ(grip.pixelColor(c.at).alpha() == 255, c.opaque) << c.at.x() << "," << c.at.y();
    }
}

}  // namespace
