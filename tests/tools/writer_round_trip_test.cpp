// What the generator's writers put into a file, the program's readers must get back.

#include "assets/bitmap.h"
#include "assets/metafile.h"
#include "tools/committed_pictures.h"
#include "tools/picture_generator/bmp_writer.h"
#include "tools/picture_generator/emf_writer.h"

#include <gtest/gtest.h>

namespace kt::test {
namespace {

namespace gen = kt::pictures;

gen::RgbImage pattern(int width, int height) {
    gen::RgbImage image(width, height, {});
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            image.set(x, y,
                      {static_cast<std::uint8_t>(x * 40 + 1), static_cast<std::uint8_t>(y * 50 + 2),
                       static_cast<std::uint8_t>(x * 7 + y * 11 + 3)});
    return image;
}

struct Size {
    int width, height;
};

void PrintTo(const Size& s, std::ostream* os) {
    *os << s.width << "x" << s.height;
}

// Widths 1 to 5 give every amount of row padding.
class BmpRoundTrip : public ::testing::TestWithParam<Size> {};

TEST_P(BmpRoundTrip, ReadsBackEveryPixel) {
    const gen::RgbImage image = pattern(GetParam().width, GetParam().height);
    const std::vector<std::byte> file = gen::writeBmp(image);
    const int stride = (3 * image.width() + 3) / 4 * 4;
    EXPECT_EQ(file.size(), static_cast<std::size_t>(54 + stride * image.height()));

    const auto read = readBmp(file);
    ASSERT_TRUE(read.ok()) << read.error().describe();
    const Bitmap& bitmap = read.value();
    ASSERT_EQ(bitmap.width, image.width());
    ASSERT_EQ(bitmap.height, image.height());
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) {
            const gen::Rgb want = image.at(x, y);
            EXPECT_EQ(pixelAt(bitmap, x, y), (Colour{want.r, want.g, want.b})) << x << "," << y;
        }
}

INSTANTIATE_TEST_SUITE_P(Sizes, BmpRoundTrip,
                         ::testing::Values(Size{1, 1}, Size{2, 3}, Size{3, 2}, Size{4, 4},
                                           Size{5, 1}),
                         ::testing::PrintToStringParamName());

const gen::EmfFont kRegular = {u"Times New Roman", 400, false, 0x12};
const gen::EmfFont kBold = {u"Times New Roman", 700, false, 0x12};
const gen::EmfFont kArial = {u"Arial", 400, false, 0x22};

gen::EmfTextPicture samplePicture() {
    gen::EmfTextPicture p;
    p.width = 3898;
    p.height = 351;
    p.frame = {0, 0, 16500, 1486};
    p.bounds = {2, 20, 3000, 345};
    p.runs = {
        {kRegular, 300, 90, u"Ab", {72, 44}},
        {kArial, 416, 90, u" ", {28}},
        {kBold, 590, 323, u"В.", {67, 25}},
        {kRegular, 682, 323, u" 3", {25, 50}},
    };
    return p;
}

TEST(EmfRoundTrip, ReadsBackHeaderFontsAndRuns) {
    const gen::EmfTextPicture picture = samplePicture();
    const std::vector<std::byte> file = gen::writeEmf(picture);
    const auto read = readEmf(file);
    ASSERT_TRUE(read.ok()) << read.error().describe();
    const Metafile& m = read.value();

    EXPECT_EQ(m.header.bounds, (kt::EmfRect{2, 20, 3000, 345}));
    EXPECT_EQ(m.header.frame, (kt::EmfRect{0, 0, 16500, 1486}));
    EXPECT_EQ(m.header.bytes, file.size());
    EXPECT_EQ(m.header.records, m.records.size());
    EXPECT_EQ(m.header.handles, 4) << "three fonts and the reserved entry";

    const std::vector<TextRun> runs = textRuns(m);
    ASSERT_EQ(runs.size(), picture.runs.size());
    for (std::size_t i = 0; i < runs.size(); ++i) {
        const gen::EmfTextRun& want = picture.runs[i];
        EXPECT_EQ(runs[i].text.text, want.text);
        EXPECT_EQ(runs[i].text.dx, want.advances);
        EXPECT_EQ(runs[i].text.reference, (EmfPoint{want.x, want.y}));
        EXPECT_EQ(runs[i].font.font.face, utf8(want.font.faceName));
        EXPECT_EQ(runs[i].font.font.weight, want.font.weight);
        EXPECT_EQ(runs[i].font.font.italic, want.font.italic);
        EXPECT_EQ(runs[i].font.font.charset, 204);
        EXPECT_EQ(runs[i].font.height, -100);
    }
}

// A font is made once, where it is first needed; going back to it only selects it again.
TEST(EmfRoundTrip, MakesEachFontOnceAndSelectsOnChange) {
    const auto read = readEmf(gen::writeEmf(samplePicture()));
    ASSERT_TRUE(read.ok()) << read.error().describe();
    using T = EmfRecordType;
    std::vector<T> types;
    for (const MetafileRecord& r : read.value().records)
        types.push_back(r.type);
    const std::vector<T> expected = {
        T::Header,         T::GdiComment,
        T::GdiComment,     T::SetTextAlign,
        T::SetWindowOrgEx, T::SetWindowExtEx,
        T::SelectObject, // stock font
        T::SetBkMode,      T::ExtCreateFontIndirectW,
        T::SelectObject,   T::SetTextColor,
        T::ExtTextOutW, // "Ab"
        T::SetBkMode,      T::ExtCreateFontIndirectW,
        T::SelectObject,   T::ExtTextOutW, // " "
        T::SetBkMode,      T::ExtCreateFontIndirectW,
        T::SelectObject,   T::ExtTextOutW, // "В."
        T::SetBkMode,      T::SelectObject,
        T::ExtTextOutW, // " 3"
        T::SelectObject,   T::GdiComment,
        T::GdiComment,     T::Eof,
    };
    EXPECT_EQ(types, expected);
}

TEST(EmfRoundTrip, EmptyPictureStillHasItsFrame) {
    gen::EmfTextPicture p;
    p.width = 3898;
    p.height = 345;
    p.frame = {0, 0, 16500, 1459};
    const auto read = readEmf(gen::writeEmf(p));
    ASSERT_TRUE(read.ok()) << read.error().describe();
    EXPECT_EQ(read.value().header.handles, 1);
    EXPECT_TRUE(textRuns(read.value()).empty());
}

} // namespace
} // namespace kt::test
