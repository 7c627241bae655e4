#include "assets/picture_catalogue.h"

#include "assets/metafile_player.h"

#include <gtest/gtest.h>

namespace kt::test {
namespace {

// Every picture is built in, and each must read.
TEST(PictureCatalogue, EveryPictureReads) {
    for (std::size_t i = 0; i < kPictureCount; ++i) {
        const auto id = static_cast<PictureId>(i);
        const auto picture = loadPicture(id);
        EXPECT_TRUE(picture.ok()) << pictureName(id) << ": " << picture.error().describe();
    }
}

TEST(PictureCatalogue, NoPictureForNone) {
    EXPECT_TRUE(pictureRecord(PictureId::None).empty());
    EXPECT_FALSE(loadPicture(PictureId::None).ok());
}

class CountingCanvas : public TextCanvas {
public:
    void drawCharacter(const MetafileFont&, double x, double y, double, double, double,
                       char16_t) override {
        ++count;
        inside = inside && x >= 0 && x < 557 && y >= 0 && y <= 85;
    }
    int count = 0;
    bool inside = true;
};

// Built-in metafiles must show their text inside the box whatever its size (here the inner
// area of Form4.Picture1).
TEST(PictureCatalogue, BuiltInMetafilesDrawInsideTheBox) {
    for (std::size_t i = 0; i < kPictureCount; ++i) {
        const auto id = static_cast<PictureId>(i);
        const auto picture = loadPicture(id);
        if (!picture.ok() || !std::holds_alternative<Metafile>(picture.value()))
            continue;
        SCOPED_TRACE(std::string(pictureName(id)));
        CountingCanvas canvas;
        playMetafile(std::get<Metafile>(picture.value()), 557, 85, canvas);
        EXPECT_GT(canvas.count, 0);
        EXPECT_TRUE(canvas.inside);
    }
}

} // namespace
} // namespace kt::test
