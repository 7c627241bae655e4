#include "assets/metafile_player.h"

#include "assets/test_files.h"

#include <gtest/gtest.h>

namespace kt::test {
namespace {

struct Drawn {
    MetafileFont font;
    double x;
    double y;
    double height;
    double sx;
    double sy;
    char16_t ch;
};

class RecordingCanvas : public TextCanvas {
public:
    void drawCharacter(const MetafileFont& font, double x, double y, double height, double sx,
                       double sy, char16_t ch) override {
        drawn.push_back({font, x, y, height, sx, sy, ch});
    }
    std::vector<Drawn> drawn;
};

std::u16string textOf(const std::vector<Drawn>& drawn) {
    std::u16string out;
    for (const auto& d : drawn)
        out += d.ch;
    return out;
}

Metafile read(const std::vector<std::byte>& file) {
    auto result = readEmf(file);
    EXPECT_TRUE(result.ok()) << result.error().describe();
    return result.ok() ? std::move(result).value() : Metafile{};
}

// The characters a metafile draws over an inner area of `width` × `height` pixels.
std::vector<Drawn> played(const Metafile& metafile, double width, double height) {
    RecordingCanvas canvas;
    playMetafile(metafile, width, height, canvas);
    return canvas.drawn;
}

// A writer with the drawing space set and font 1, Arial `height` units, selected.
EmfWriter inArial(std::int32_t height = -100) {
    EmfWriter w(2);
    w.windowExt(kSpaceWidth, kSpaceHeight);
    w.font(1, height, 400, false, u"Arial");
    w.select(1);
    return w;
}

// One run "ab" at (1000, 300) in a 100-unit font, with advances 200 and 300.
Metafile oneRun(std::int32_t orgX = 0, std::int32_t orgY = 0) {
    EmfWriter w(2);
    w.textAlign(24);
    w.windowOrg(orgX, orgY);
    w.windowExt(kSpaceWidth, kSpaceHeight);
    w.font(1, -100, 400, false, u"Times New Roman");
    w.select(1);
    w.text(1000, 300, u"ab", {200, 300});
    return read(w.finish());
}

// The box of Form4.Picture1 is 8415 × 1335 twips, 561 × 89 pixels; a 2-pixel sunken border
// leaves 557 × 85 inside.
struct Box {
    const char* name;
    double width;
    double height;
};
const Box kBoxes[] = {{"without border", 561, 89}, {"inside a 2-pixel border", 557, 85}};

TEST(PlayMetafile, StretchesTheDrawingSpaceOverTheInnerArea) {
    for (const auto& box : kBoxes) {
        SCOPED_TRACE(box.name);
        const auto drawn = played(oneRun(), box.width, box.height);
        ASSERT_EQ(drawn.size(), 2u);
        const double sx = box.width / 3898;
        const double sy = box.height / 351;
        for (const auto& d : drawn) {
            EXPECT_DOUBLE_EQ(d.sx, sx);
            EXPECT_DOUBLE_EQ(d.sy, sy);
            EXPECT_DOUBLE_EQ(d.height, 100 * sy);
            EXPECT_DOUBLE_EQ(d.y, 300 * sy);
        }
        EXPECT_DOUBLE_EQ(drawn[0].x, 1000 * sx);
        EXPECT_DOUBLE_EQ(drawn[1].x, 1200 * sx);
    }
}

TEST(PlayMetafile, Form4FactorsAreAboutASeventhAcrossAndAQuarterDown) {
    const auto drawn = played(oneRun(), 557, 85);
    ASSERT_FALSE(drawn.empty());
    EXPECT_NEAR(drawn[0].sx, 0.1429, 0.00005);
    EXPECT_NEAR(drawn[0].sy, 0.2422, 0.00005);
    EXPECT_NEAR(drawn[0].height, 24.2, 0.05); // characters about 24 pixels high
}

TEST(PlayMetafile, TheDrawingSpaceFillsTheWholeAreaCorners) {
    EmfWriter w = inArial();
    w.text(0, 0, u"a", {10});
    w.text(kSpaceWidth, kSpaceHeight, u"b", {10});
    const auto drawn = played(read(w.finish()), 557, 85);
    ASSERT_EQ(drawn.size(), 2u);
    EXPECT_DOUBLE_EQ(drawn[0].x, 0);
    EXPECT_DOUBLE_EQ(drawn[0].y, 0);
    EXPECT_DOUBLE_EQ(drawn[1].x, 557);
    EXPECT_DOUBLE_EQ(drawn[1].y, 85);
}

TEST(PlayMetafile, SubtractsTheWindowOrigin) {
    const auto drawn = played(oneRun(400, -50), 3898, 351); // factors 1
    ASSERT_EQ(drawn.size(), 2u);
    EXPECT_DOUBLE_EQ(drawn[0].x, 600);
    EXPECT_DOUBLE_EQ(drawn[0].y, 350);
    EXPECT_DOUBLE_EQ(drawn[1].x, 800);
}

TEST(PlayMetafile, StoredAdvancesPlaceTheCharacters) {
    EmfWriter w = inArial();
    w.text(10, 200, u"v=3+2t", {45, 56, 50, 56, 50, 28});
    const auto drawn = played(read(w.finish()), 3898 * 2, 351); // twice as wide
    ASSERT_EQ(textOf(drawn), u"v=3+2t");
    const double expectedX[] = {10, 55, 111, 161, 217, 267};
    for (std::size_t i = 0; i < 6; ++i) {
        EXPECT_DOUBLE_EQ(drawn[i].x, 2 * expectedX[i]) << i;
        EXPECT_DOUBLE_EQ(drawn[i].y, 200) << i;
    }
}

TEST(PlayMetafile, SpacesMoveOnButDrawNothing) {
    EmfWriter w = inArial();
    w.text(0, 100, u"  ", {25, 25});        // a run of spaces only
    w.text(100, 100, u"a b", {40, 30, 50}); // b after a's and the space's advances
    const auto drawn = played(read(w.finish()), 3898, 351);
    ASSERT_EQ(textOf(drawn), u"ab");
    EXPECT_DOUBLE_EQ(drawn[1].x, 170);
}

TEST(PlayMetafile, StockFontDrawsNothingAndOtherStockObjectsKeepTheFont) {
    EmfWriter w(2);
    w.windowExt(kSpaceWidth, kSpaceHeight);
    w.text(0, 100, u"0", {10}); // before any font: the device's own
    w.font(1, -100, 400, false, u"Arial");
    w.select(1);
    w.select(0x80000000);       // WHITE_BRUSH
    w.select(0x80000007);       // BLACK_PEN
    w.text(0, 100, u"1", {10}); // still in Arial
    w.select(kDeviceDefaultFont);
    w.text(0, 100, u"2", {10}); // nothing
    w.select(0x80000011);       // DEFAULT_GUI_FONT
    w.text(0, 100, u"3", {10}); // nothing
    const auto drawn = played(read(w.finish()), 3898, 351);
    EXPECT_EQ(textOf(drawn), u"1");
}

TEST(PlayMetafile, SelectionPicksFromTheFontTable) {
    EmfWriter w(4);
    w.windowExt(kSpaceWidth, kSpaceHeight);
    w.font(1, -100, 400, false, u"Times New Roman");
    w.font(2, -100, 700, false, u"Times New Roman");
    w.font(3, -80, 400, true, u"Book Antiqua");
    w.select(3);
    w.text(0, 100, u"v", {10});
    w.select(1);
    w.text(0, 100, u"a", {10});
    w.select(2);
    w.text(0, 100, u"b", {10});
    w.font(1, -100, 400, false, u"Arial"); // replaces font 1, but the selection holds
    w.text(0, 100, u"c", {10});
    w.select(1);
    w.text(0, 100, u"d", {10});
    const auto drawn = played(read(w.finish()), 3898, 351);
    ASSERT_EQ(textOf(drawn), u"vabcd");
    EXPECT_EQ(drawn[0].font, (MetafileFont{"Book Antiqua", 400, true, 204}));
    EXPECT_DOUBLE_EQ(drawn[0].height, 80);
    EXPECT_EQ(drawn[1].font, (MetafileFont{"Times New Roman", 400, false, 204}));
    EXPECT_EQ(drawn[2].font, (MetafileFont{"Times New Roman", 700, false, 204}));
    EXPECT_EQ(drawn[3].font.weight, 700);
    EXPECT_EQ(drawn[4].font, (MetafileFont{"Arial", 400, false, 204}));
}

TEST(PlayMetafile, PositiveFontHeightCountsAsItsSize) {
    EmfWriter w = inArial(120);
    w.text(0, 100, u"a", {10});
    const auto drawn = played(read(w.finish()), 3898, 351 / 3.0);
    ASSERT_EQ(drawn.size(), 1u);
    EXPECT_DOUBLE_EQ(drawn[0].height, 40);
}

TEST(PlayMetafile, RestoreBringsBackFontAndDrawingSpace) {
    EmfWriter w(3);
    w.windowExt(kSpaceWidth, kSpaceHeight);
    w.font(1, -100, 400, false, u"Arial");
    w.font(2, -100, 700, false, u"Arial");
    w.select(1);
    w.saveDc();
    w.windowExt(kSpaceWidth * 2, kSpaceHeight * 2);
    w.select(2);
    w.text(1000, 100, u"a", {10}); // half-size factors, bold
    w.restoreDc(-1);
    w.text(1000, 100, u"b", {10}); // back to full factors, regular
    const auto drawn = played(read(w.finish()), 3898, 351);
    ASSERT_EQ(textOf(drawn), u"ab");
    EXPECT_DOUBLE_EQ(drawn[0].x, 500);
    EXPECT_EQ(drawn[0].font.weight, 700);
    EXPECT_DOUBLE_EQ(drawn[1].x, 1000);
    EXPECT_EQ(drawn[1].font.weight, 400);
}

TEST(PlayMetafile, CommentsAndEmptyClipGroupsChangeNothing) {
    const auto plain = [](bool extras) {
        EmfWriter w(2);
        if (extras)
            w.emfPlusComment();
        w.windowExt(kSpaceWidth, kSpaceHeight);
        w.font(1, -100, 400, false, u"Arial");
        w.select(1);
        if (extras) {
            w.saveDc();
            w.clip(0, 0, 10, 10); // would cut everything off, were it kept
            w.restoreDc(-1);
            w.emfPlusComment();
            w.bkMode(2);
            w.textColor(0x0000FF);
        }
        w.text(100, 100, u"xy", {50, 50});
        return w.finish();
    };
    const auto without = played(read(plain(false)), 557, 85);
    const auto with = played(read(plain(true)), 557, 85);
    ASSERT_EQ(with.size(), 2u);
    ASSERT_EQ(without.size(), 2u);
    for (std::size_t i = 0; i < 2; ++i) {
        EXPECT_EQ(with[i].ch, without[i].ch);
        EXPECT_DOUBLE_EQ(with[i].x, without[i].x);
        EXPECT_DOUBLE_EQ(with[i].y, without[i].y);
    }
}

TEST(PlayMetafile, OurStatementShapeDrawsItsLettersOnly) {
    const auto drawn = played(read(sampleEmf()), 557, 85);
    EXPECT_EQ(textOf(drawn), u"1.Телоv=3+2t");
    for (const auto& d : drawn)
        EXPECT_EQ(d.font.face, "Times New Roman"); // the Arial run was spaces only
}

TEST(PlayMetafile, AnEmptyMetafileDrawsNothing) {
    EXPECT_TRUE(played(Metafile{}, 557, 85).empty());
    EXPECT_TRUE(played(read(EmfWriter(1).finish()), 557, 85).empty());
}

// Both toolkits ask their fonts for this size; a stored height of INT_MIN must not overflow it.
TEST(MetafilePlayer, FontPixelSizeIsRoundedAndKeptInRange) {
    const struct {
        double unitsHigh;
        int expected;
    } cases[] = {{0, 1}, {0.4, 1}, {13.4, 13}, {13.5, 14}, {65536, 65536}, {2147483648.0, 65536}};
    for (const auto& c : cases)
        EXPECT_EQ(fontPixelSize(c.unitsHigh), c.expected) << c.unitsHigh;
}

} // namespace
} // namespace kt::test
