// Each option button must stand just left of its choice letter, on the choices line, whatever
// border the statement box has (none, 1 px or 2 px): its right edge between 19 px before and 2 px
// inside the letter's first stroke, its middle within 5 px of the line's. The letters are
// found in the committed pictures themselves: in a bitmap as the first dark column right of
// the button's left edge, in a metafile as the bold run that starts with the letter, placed
// by the stretch of the drawing space over the box's inner area.

#include "tools/committed_pictures.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>

namespace kt::test {
namespace {

constexpr double kMostBefore = 19; // the button's right edge may stand this far left of the letter
constexpr double kMostInside = 2;  // or reach this far into it
constexpr double kMostOffCentre = 5;

constexpr std::array<ControlId, 3> kOptions = {ControlId::Option1, ControlId::Option2,
                                               ControlId::Option3};
constexpr std::array<char16_t, 3> kLetters = {u'А', u'Б', u'В'};

// Where a button stands, and where its letter was found, in client pixels.
void expectButtonMeetsLetter(const PixelRect& button, double letterX, double lineCentreY,
                             const std::string& what) {
    const int right = button.left + button.width;
    const double centreY = button.top + button.height / 2.0;
    EXPECT_GE(right, letterX - kMostBefore)
        << what << ": button ends at " << right << ", letter starts at " << letterX;
    EXPECT_LE(right, letterX + kMostInside)
        << what << ": button ends at " << right << ", letter starts at " << letterX;
    EXPECT_LE(std::abs(centreY - lineCentreY), kMostOffCentre)
        << what << ": button centred at " << centreY << ", choices line at " << lineCentreY;
}

std::string describe(const StatementFile& s, int border, int option) {
    return "Form" + std::to_string(s.window) + " (border " + std::to_string(border) + " px) " +
           std::string(controlName(kOptions[static_cast<std::size_t>(option)]));
}

class BitmapLetters : public ::testing::TestWithParam<StatementFile> {};

TEST_P(BitmapLetters, StandRightOfTheirButtons) {
    const StatementFile s = GetParam();
    const WindowDescription& window = questionWindow(s.window);
    const Bitmap bitmap = committedBitmap(s.file);
    const Colour background = mostFrequentColour(bitmap);
    const std::vector<Span> lines = textLines(bitmap);
    ASSERT_EQ(lines.size(), 3u) << s.file << ": two statement lines and the choices line";
    const Span choices = lines.back();

    for (int border : kStatementBorders) {
        const PixelRect inner = innerArea(window.control(ControlId::Picture1)->rect, border);
        for (int k = 0; k < 3; ++k) {
            const PixelRect button =
                toPixels(window.control(kOptions[static_cast<std::size_t>(k)])->rect);
            const std::string what = describe(s, border, k);
            // Ink under the button would be hidden by it; the search starts at its left edge
            // so that such ink is taken for the letter and fails the test.
            const int from = static_cast<int>(std::ceil(button.left - inner.left));
            const int column = firstDarkColumn(bitmap, choices, from);
            ASSERT_GE(column, 0) << what << ": no letter right of the button";
            const Area letter = wordAt(bitmap, choices, column, background);
            ASSERT_FALSE(letter.empty()) << what;

            // The letters are the only smoothed, and so the only grey-edged, text.
            bool grey = false;
            for (int x = letter.columns.first; x <= letter.columns.last; ++x)
                for (int y = choices.first; y <= choices.last; ++y) {
                    const Colour c = pixelAt(bitmap, x, y);
                    grey = grey || (c != background && !isDark(c));
                }
            EXPECT_TRUE(grey) << what << ": the text at column " << column
                              << " is not a bold letter";

            const double lineCentre = inner.top + (letter.rows.first + letter.rows.last + 1) / 2.0;
            expectButtonMeetsLetter(button, inner.left + column, lineCentre, what);
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Statements, BitmapLetters, ::testing::ValuesIn(kStatementBitmaps),
                         WindowName{});

// Times New Roman's capitals stand 0.662 em high: the middle of a choice letter lies 33 units
// of the 100-unit character height above its baseline.
constexpr double kLetterMiddleAboveBaseline = 33;

class MetafileLetters : public ::testing::TestWithParam<StatementFile> {};

TEST_P(MetafileLetters, StandRightOfTheirButtons) {
    const StatementFile s = GetParam();
    const WindowDescription& window = questionWindow(s.window);
    const Metafile metafile = committedMetafile(s.file);

    EmfSize space;
    for (const MetafileRecord& record : metafile.records)
        if (const auto* ext = std::get_if<EmfWindowExt>(&record.data))
            space = ext->extent;
    ASSERT_GT(space.cx, 0);
    ASSERT_GT(space.cy, 0);

    const std::vector<TextRun> runs = textRuns(metafile);
    for (int border : kStatementBorders) {
        const PixelRect inner = innerArea(window.control(ControlId::Picture1)->rect, border);
        const double sx = double(inner.width) / space.cx, sy = double(inner.height) / space.cy;
        for (int k = 0; k < 3; ++k) {
            const std::string what = describe(s, border, k);
            const TextRun* letter = nullptr;
            for (const TextRun& run : runs)
                if (!run.text.text.empty() &&
                    run.text.text.front() == kLetters[static_cast<std::size_t>(k)] &&
                    run.font.font.weight >= 700) {
                    EXPECT_EQ(letter, nullptr) << what << ": the letter occurs twice";
                    letter = &run;
                }
            ASSERT_NE(letter, nullptr) << what << ": no bold run starts with the letter";

            const PixelRect button =
                toPixels(window.control(kOptions[static_cast<std::size_t>(k)])->rect);
            const double letterX = inner.left + letter->text.reference.x * sx;
            const double lineCentre =
                inner.top + (letter->text.reference.y - kLetterMiddleAboveBaseline) * sy;
            expectButtonMeetsLetter(button, letterX, lineCentre, what);

            // Nothing else on the line may lie under the button, where it would be hidden.
            for (const TextRun& run : runs) {
                if (run.text.reference.y != letter->text.reference.y || &run == letter)
                    continue;
                const bool blank = run.text.text.find_first_not_of(u' ') == std::u16string::npos;
                const double start = inner.left + run.text.reference.x * sx;
                const double end = inner.left + run.end() * sx;
                if (!blank) {
                    EXPECT_TRUE(end <= button.left || start >= (button.left + button.width))
                        << what << ": \"" << utf8(run.text.text) << "\" runs under the button";
                }
            }
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Statements, MetafileLetters, ::testing::ValuesIn(kStatementMetafiles),
                         WindowName{});

} // namespace
} // namespace kt::test
