#include "ui/picture_frame.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace kt {
namespace {

// The frame painted in its order into a grid of letters, one per pixel: D dark, L light, S shadow,
// M midlight, # line; '.' is left unpainted.
std::vector<std::string> painted(PictureBorder border, int width, int height, int unit) {
    std::vector<std::string> rows(static_cast<std::size_t>(height),
                                  std::string(static_cast<std::size_t>(width), '.'));
    const PictureFrame frame = pictureFrame(border, width, height, unit);
    for (std::size_t i = 0; i < frame.count; ++i) {
        const auto& [r, colour] = frame.pieces[i];
        for (int y = r.top; y < r.top + r.height; ++y)
            for (int x = r.left; x < r.left + r.width; ++x)
                rows.at(static_cast<std::size_t>(y)).at(static_cast<std::size_t>(x)) =
                    "DLSM#"[static_cast<std::size_t>(colour)];
    }
    return rows;
}

// As Windows draws a sunken panel: dark over shadow on the top and left, light over midlight on
// the bottom and right, each bottom line the whole width.
TEST(PictureFrame, SunkenIsTwoLinesLitFromTheTopLeft) {
    const std::vector<std::string> expected = {
        "DDDDDL", //
        "DSSSML", //
        "DS..ML", //
        "DMMMML", //
        "LLLLLL",
    };
    EXPECT_EQ(painted(PictureBorder::Sunken, 6, 5, 1), expected);
    EXPECT_EQ(frameLines(PictureBorder::Sunken), 2);
}

TEST(PictureFrame, FlatIsOneLineOfUnitWidth) {
    const std::vector<std::string> expected = {
        "######", "######", "##..##", "##..##", "######", "######",
    };
    EXPECT_EQ(painted(PictureBorder::Flat, 6, 6, 2), expected);
    EXPECT_EQ(frameLines(PictureBorder::Flat), 1);
}

} // namespace
} // namespace kt
