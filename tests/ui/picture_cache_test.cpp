#include "ui/picture_cache.h"

#include "skin_fixture.h"
#include "temp_dir.h"
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

// The packed copy is the one shown; the folder is read only for a picture the
// program does not hold (or holds damaged).
TEST_F(PictureCacheTest, PicturesComeFromThePackedCopyBeforeTheFolder) {
    const qv::DirectoryResourceSource pack{QUORVALE_COURSE_PACK};
    const std::string saveOn = *pack.Load(30, qv::kResourceType);
    struct Case {
        const char* name;
        const char* packed;  // "pack", "damaged" or "none"
        bool file;
        bool shown;
    };
    for (const Case& c : {Case{"packed, no file", "pack", false, true}, Case{"no packed copy", "none", true, true},
                          Case{"damaged packed copy", "damaged", true, true},
                          Case{"neither", "damaged", false, false}}) {
        SCOPED_TRACE(c.name);
        TempDir folder;
        if (c.file) folder.Write("save_off.bmp", saveOn);  // another picture under this name
        qv::MemoryResourceSource memory;
        if (std::string(c.packed) == "pack") memory.Add(29, *pack.Load(29, qv::kResourceType));
        if (std::string(c.packed) == "damaged") memory.Add(29, "BM not a picture");
        qv::PictureCache cache(QString::fromStdString(folder.path().string()), &memory);
        const QImage shown = cache.Get("save_off.bmp").toImage();
        EXPECT_EQ(!shown.isNull(), c.shown);
        EXPECT_EQ(cache.missing().isEmpty(), c.shown);
        if (!c.shown) continue;
        const bool fromPack = std::string(c.packed) == "pack";
        const QImage expected = fromPack ? pictures_->Get("save_off.bmp").toImage() : pictures_->Get("save_on.bmp").toImage();
        EXPECT_EQ(shown.convertToFormat(QImage::Format_RGB32), expected.convertToFormat(QImage::Format_RGB32));
    }
}

}  // namespace
