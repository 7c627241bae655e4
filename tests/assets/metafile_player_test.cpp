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
    std::u16string text() const {
        std::u16string out;
        for (const auto& d : drawn)
            out += d.ch;
        return out;
    }
    std::vector<Drawn> drawn;
};

Metafile read(const std::vector<std::byte>& file) {
    auto result = readEmf(file);
    EXPECT_TRUE(result.ok()) << result.error().describe();
    return result.ok() ? std::move(result).value() : Metafile{};
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
        RecordingCanvas canvas;
        playMetafile(oneRun(), box.width, box.height, canvas);
        ASSERT_EQ(canvas.drawn.size(), 2u);
        const double sx = box.width / 3898;
        const double sy = box.height / 351;
        for (const auto& d : canvas.drawn) {
            EXPECT_DOUBLE_EQ(d.sx, sx);
            EXPECT_DOUBLE_EQ(d.sy, sy);
            EXPECT_DOUBLE_EQ(d.height, 100 * sy);
            EXPECT_DOUBLE_EQ(d.y, 300 * sy);
        }
        EXPECT_DOUBLE_EQ(canvas.drawn[0].x, 1000 * sx);
        EXPECT_DOUBLE_EQ(canvas.drawn[1].x, 1200 * sx);
    }
}

TEST(PlayMetafile, Form4FactorsAreAboutASeventhAcrossAndAQuarterDown) {
    RecordingCanvas canvas;
    playMetafile(oneRun(), 557, 85, canvas);
    ASSERT_FALSE(canvas.drawn.empty());
    EXPECT_NEAR(canvas.drawn[0].sx, 0.1429, 0.00005);
    EXPECT_NEAR(canvas.drawn[0].sy, 0.2422, 0.00005);
    EXPECT_NEAR(canvas.drawn[0].height, 24.2, 0.05); // characters about 24 pixels high
}

TEST(PlayMetafile, TheDrawingSpaceFillsTheWholeAreaCorners) {
    EmfWriter w(2);
    w.windowExt(kSpaceWidth, kSpaceHeight);
    w.font(1, -100, 400, false, u"Arial");
    w.select(1);
    w.text(0, 0, u"a", {10});
    w.text(kSpaceWidth, kSpaceHeight, u"b", {10});
    RecordingCanvas canvas;
    playMetafile(read(w.finish()), 557, 85, canvas);
    ASSERT_EQ(canvas.drawn.size(), 2u);
    EXPECT_DOUBLE_EQ(canvas.drawn[0].x, 0);
    EXPECT_DOUBLE_EQ(canvas.drawn[0].y, 0);
    EXPECT_DOUBLE_EQ(canvas.drawn[1].x, 557);
    EXPECT_DOUBLE_EQ(canvas.drawn[1].y, 85);
}

TEST(PlayMetafile, SubtractsTheWindowOrigin) {
    RecordingCanvas canvas;
    playMetafile(oneRun(400, -50), 3898, 351, canvas); // factors 1
    ASSERT_EQ(canvas.drawn.size(), 2u);
    EXPECT_DOUBLE_EQ(canvas.drawn[0].x, 600);
    EXPECT_DOUBLE_EQ(canvas.drawn[0].y, 350);
    EXPECT_DOUBLE_EQ(canvas.drawn[1].x, 800);
}

TEST(PlayMetafile, StoredAdvancesPlaceTheCharacters) {
    EmfWriter w(2);
    w.windowExt(kSpaceWidth, kSpaceHeight);
    w.font(1, -100, 400, false, u"Arial");
    w.select(1);
    w.text(10, 200, u"v=3+2t", {45, 56, 50, 56, 50, 28});
    RecordingCanvas canvas;
    playMetafile(read(w.finish()), 3898 * 2, 351, canvas); // twice as wide
    ASSERT_EQ(canvas.text(), u"v=3+2t");
    const double expectedX[] = {10, 55, 111, 161, 217, 267};
    for (std::size_t i = 0; i < 6; ++i) {
        EXPECT_DOUBLE_EQ(canvas.drawn[i].x, 2 * expectedX[i]) << i;
        EXPECT_DOUBLE_EQ(canvas.drawn[i].y, 200) << i;
    }
}

TEST(PlayMetafile, SpacesMoveOnButDrawNothing) {
    EmfWriter w(2);
    w.windowExt(kSpaceWidth, kSpaceHeight);
    w.font(1, -100, 400, false, u"Arial");
    w.select(1);
    w.text(0, 100, u"  ", {25, 25});        // a run of spaces only
    w.text(100, 100, u"a b", {40, 30, 50}); // b after a's and the space's advances
    RecordingCanvas canvas;
    playMetafile(read(w.finish()), 3898, 351, canvas);
    ASSERT_EQ(canvas.text(), u"ab");
    EXPECT_DOUBLE_EQ(canvas.drawn[1].x, 170);
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
    RecordingCanvas canvas;
    playMetafile(read(w.finish()), 3898, 351, canvas);
    EXPECT_EQ(canvas.text(), u"1");
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
    RecordingCanvas canvas;
    playMetafile(read(w.finish()), 3898, 351, canvas);
    ASSERT_EQ(canvas.text(), u"vabcd");
    EXPECT_EQ(canvas.drawn[0].font, (MetafileFont{"Book Antiqua", 400, true, 204}));
    EXPECT_DOUBLE_EQ(canvas.drawn[0].height, 80);
    EXPECT_EQ(canvas.drawn[1].font, (MetafileFont{"Times New Roman", 400, false, 204}));
    EXPECT_EQ(canvas.drawn[2].font, (MetafileFont{"Times New Roman", 700, false, 204}));
    EXPECT_EQ(canvas.drawn[3].font.weight, 700);
    EXPECT_EQ(canvas.drawn[4].font, (MetafileFont{"Arial", 400, false, 204}));
}

TEST(PlayMetafile, PositiveFontHeightCountsAsItsSize) {
    EmfWriter w(2);
    w.windowExt(kSpaceWidth, kSpaceHeight);
    w.font(1, 120, 400, false, u"Arial");
    w.select(1);
    w.text(0, 100, u"a", {10});
    RecordingCanvas canvas;
    playMetafile(read(w.finish()), 3898, 351 / 3.0, canvas);
    ASSERT_EQ(canvas.drawn.size(), 1u);
    EXPECT_DOUBLE_EQ(canvas.drawn[0].height, 40);
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
    RecordingCanvas canvas;
    playMetafile(read(w.finish()), 3898, 351, canvas);
    ASSERT_EQ(canvas.text(), u"ab");
    EXPECT_DOUBLE_EQ(canvas.drawn[0].x, 500);
    EXPECT_EQ(canvas.drawn[0].font.weight, 700);
    EXPECT_DOUBLE_EQ(canvas.drawn[1].x, 1000);
    EXPECT_EQ(canvas.drawn[1].font.weight, 400);
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
    RecordingCanvas without;
    RecordingCanvas with;
    playMetafile(read(plain(false)), 557, 85, without);
    playMetafile(read(plain(true)), 557, 85, with);
    ASSERT_EQ(with.drawn.size(), 2u);
    ASSERT_EQ(without.drawn.size(), 2u);
    for (std::size_t i = 0; i < 2; ++i) {
        EXPECT_EQ(with.drawn[i].ch, without.drawn[i].ch);
        EXPECT_DOUBLE_EQ(with.drawn[i].x, without.drawn[i].x);
        EXPECT_DOUBLE_EQ(with.drawn[i].y, without.drawn[i].y);
    }
}

TEST(PlayMetafile, OurStatementShapeDrawsItsLettersOnly) {
    RecordingCanvas canvas;
    playMetafile(read(sampleEmf()), 557, 85, canvas);
    EXPECT_EQ(canvas.text(), u"1.Телоv=3+2t");
    for (const auto& d : canvas.drawn)
        EXPECT_EQ(d.font.face, "Times New Roman"); // the Arial run was spaces only
}

TEST(PlayMetafile, AnEmptyMetafileDrawsNothing) {
    RecordingCanvas canvas;
    playMetafile(Metafile{}, 557, 85, canvas);
    playMetafile(read(EmfWriter(1).finish()), 557, 85, canvas);
    EXPECT_TRUE(canvas.drawn.empty());
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
