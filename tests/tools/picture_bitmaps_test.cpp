// The eleven committed bitmaps: their file form, their colours, where their text and their
// grids lie, and that everything drawn is seen inside its box's 2-px border.

#include "assets/unicode.h"
#include "tools/committed_pictures.h"
#include "tools/picture_generator/question_sources.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <map>
#include <set>

namespace kt::test {
namespace {

struct BitmapFile {
    int window;
    ControlId box;
    std::string_view file;
};

struct Palette {
    Colour background, grid, ink, line;
};

constexpr Palette kEarly = {{254, 254, 254}, {0, 254, 0}, {0, 0, 0}, {128, 0, 254}};
constexpr Palette kLate = {{255, 255, 255}, {0, 255, 0}, {4, 4, 4}, {153, 0, 255}};

struct GraphBitmap {
    int window;
    std::string_view file;
    Palette palette;
    int timeCells;     // grid steps across
    int velocityCells; // grid steps up
};

const GraphBitmap kGraphs[] = {
    {1, "form1_picture2.bmp", kEarly, 5, 5}, {2, "form2_picture2.bmp", kEarly, 5, 5},
    {3, "form3_picture2.bmp", kEarly, 5, 5}, {5, "form5_picture2.bmp", kLate, 4, 5},
    {6, "form6_picture2.bmp", kLate, 5, 5},  {7, "form7_picture2.bmp", kLate, 5, 5},
};

void PrintTo(const GraphBitmap& g, std::ostream* os) {
    *os << g.file;
}

// Every committed bitmap: the statements in Picture1, the graphs in Picture2.
std::vector<BitmapFile> allBitmaps() {
    std::vector<BitmapFile> all;
    for (const StatementFile& s : kStatementBitmaps)
        all.push_back({s.window, ControlId::Picture1, s.file});
    for (const GraphBitmap& g : kGraphs)
        all.push_back({g.window, ControlId::Picture2, g.file});
    return all;
}

// The generator's source of a window's picture; nullptr if it has none.
template <class Source> const Source* sourceOf(const std::vector<Source>& sources, int window) {
    for (const Source& s : sources)
        if (s.window == "Form" + std::to_string(window))
            return &s;
    return nullptr;
}

void PrintTo(const BitmapFile& b, std::ostream* os) {
    *os << b.file;
}

std::string bitmapName(const ::testing::TestParamInfo<BitmapFile>& row) {
    return "Form" + std::to_string(row.param.window) + "_" +
           std::string(controlName(row.param.box));
}

class CommittedBitmap : public ::testing::TestWithParam<BitmapFile> {};

TEST_P(CommittedBitmap, IsAPlainWindows3Bmp) {
    const auto b = assetFile("pictures/" + std::string(GetParam().file));
    ASSERT_GE(b.size(), 54u);
    EXPECT_EQ(std::to_integer<char>(b[0]), 'B');
    EXPECT_EQ(std::to_integer<char>(b[1]), 'M');
    const std::uint32_t width = u32At(b, 18), height = u32At(b, 22);
    ASSERT_GT(width, 0u);
    ASSERT_GT(height, 0u);
    ASSERT_LT(height, 0x80000000u) << "positive height: rows stored bottom-up";
    const std::uint32_t stride = (3 * width + 3) / 4 * 4;
    EXPECT_EQ(u32At(b, 2), b.size()) << "file size field";
    EXPECT_EQ(u32At(b, 6), 0u) << "reserved fields";
    EXPECT_EQ(u32At(b, 10), 54u) << "pixels follow the two headers";
    EXPECT_EQ(u32At(b, 14), 40u) << "information header size";
    EXPECT_EQ(u16At(b, 26), 1u) << "planes";
    EXPECT_EQ(u16At(b, 28), 24u) << "bits per pixel";
    EXPECT_EQ(u32At(b, 30), 0u) << "no compression";
    EXPECT_EQ(u32At(b, 34), stride * height) << "image size";
    EXPECT_EQ(u32At(b, 38), 0u) << "horizontal resolution";
    EXPECT_EQ(u32At(b, 42), 0u) << "vertical resolution";
    EXPECT_EQ(u32At(b, 46), 0u) << "colours used";
    EXPECT_EQ(u32At(b, 50), 0u) << "colours important";
    ASSERT_EQ(b.size(), 54 + stride * height) << "the file ends after the last row";
    for (std::uint32_t row = 0; row < height; ++row)
        for (std::uint32_t pad = 3 * width; pad < stride; ++pad)
            ASSERT_EQ(b[54 + row * stride + pad], std::byte{0}) << "row " << row;
}

TEST_P(CommittedBitmap, EverythingDrawnIsSeenInsideTheBorder) {
    const Bitmap bitmap = committedBitmap(GetParam().file);
    const Area drawn = drawnArea(bitmap, mostFrequentColour(bitmap));
    ASSERT_FALSE(drawn.empty());
    const PixelRect inner =
        innerArea(questionWindow(GetParam().window).control(GetParam().box)->rect, kSunkenBorder);
    EXPECT_LE(drawn.columns.last + 1, inner.width);
    EXPECT_LE(drawn.rows.last + 1, inner.height);
}

INSTANTIATE_TEST_SUITE_P(Pictures, CommittedBitmap, ::testing::ValuesIn(allBitmaps()), bitmapName);

// Statement bitmaps.

constexpr Colour kStatementBackground = {221, 221, 221};
constexpr Colour kBlack = {0, 0, 0};

class StatementBitmapTest : public ::testing::TestWithParam<StatementFile> {
protected:
    void SetUp() override {
        m_bitmap = committedBitmap(GetParam().file);
        ASSERT_GT(m_bitmap.width, 0);
        m_lines = textLines(m_bitmap);
        ASSERT_EQ(m_lines.size(), 3u) << "two statement lines and the choices line";
    }
    Bitmap m_bitmap;
    std::vector<Span> m_lines;
};

TEST_P(StatementBitmapTest, BlackTextOnLightGrey) {
    EXPECT_EQ(mostFrequentColour(m_bitmap), kStatementBackground);
    int black = 0;
    for (int y = 0; y < m_bitmap.height; ++y)
        for (int x = 0; x < m_bitmap.width; ++x) {
            const Colour c = pixelAt(m_bitmap, x, y);
            ASSERT_TRUE(c.r == c.g && c.g == c.b) << "grey only, at " << x << "," << y;
            ASSERT_LE(c.r, kStatementBackground.r) << "never lighter than the background";
            black += c == kBlack;
        }
    EXPECT_GT(black, 1000);
}

// Regular text is drawn without smoothing: grey edge pixels belong only to the three bold
// choice letters.
TEST_P(StatementBitmapTest, OnlyTheThreeLettersHaveGreyEdges) {
    const Span choices = m_lines.back();
    for (int y = 0; y < m_bitmap.height; ++y)
        for (int x = 0; x < m_bitmap.width; ++x) {
            const Colour c = pixelAt(m_bitmap, x, y);
            if (c != kBlack && c != kStatementBackground) {
                ASSERT_TRUE(y >= choices.first - 1 && y <= choices.last + 1)
                    << "grey at " << x << "," << y << " outside the choices line";
            }
        }
    int greyWords = 0;
    for (int x = 0; x < m_bitmap.width;) {
        const Area word = wordAt(m_bitmap, choices, x, kStatementBackground);
        if (word.columns.empty()) {
            ++x;
            continue;
        }
        bool grey = false;
        for (int wx = word.columns.first; wx <= word.columns.last; ++wx)
            for (int y = choices.first; y <= choices.last; ++y) {
                const Colour c = pixelAt(m_bitmap, wx, y);
                grey = grey || (c != kBlack && c != kStatementBackground);
            }
        greyWords += grey;
        x = word.columns.last + 1;
    }
    EXPECT_EQ(greyWords, 3);
}

TEST_P(StatementBitmapTest, NumberAtTheEdgeStatementAtTheIndent) {
    const Span first = m_lines[0];
    const int number = firstDarkColumn(m_bitmap, first, 0);
    EXPECT_GE(number, 2);
    EXPECT_LE(number, 5);
    const Area numberWord = wordAt(m_bitmap, first, number, kStatementBackground);
    const int statement = firstDarkColumn(m_bitmap, first, numberWord.columns.last + 1);
    EXPECT_GE(statement, 32);
    EXPECT_LE(statement, 38);
    const int continuation = firstDarkColumn(m_bitmap, m_lines[1], 0);
    EXPECT_GE(continuation, 32);
    EXPECT_LE(continuation, 38);
}

// Lines at single spacing: 18 to 19 px from one baseline to the next. A line's baseline is
// its lowest well-filled row; below it only descenders reach.
TEST_P(StatementBitmapTest, LinesAtSingleSpacing) {
    auto baseline = [&](const Span& line) {
        std::vector<int> dark;
        for (int y = line.first; y <= line.last; ++y) {
            int n = 0;
            for (int x = 0; x < m_bitmap.width; ++x)
                n += isDark(pixelAt(m_bitmap, x, y));
            dark.push_back(n);
        }
        const int most = *std::max_element(dark.begin(), dark.end());
        int last = line.first;
        for (int y = line.first; y <= line.last; ++y)
            if (3 * dark[static_cast<std::size_t>(y - line.first)] >= most)
                last = y;
        return last;
    };
    for (std::size_t i = 1; i < m_lines.size(); ++i) {
        const int pitch = baseline(m_lines[i]) - baseline(m_lines[i - 1]);
        EXPECT_GE(pitch, 18) << "line " << i + 1;
        EXPECT_LE(pitch, 19) << "line " << i + 1;
    }
}

// The columns of each glyph on a line, left to right: the pieces of dark ink that hang together
// (diagonal neighbours included), a piece that lies within another's columns joined to it.
std::vector<Span> glyphColumns(const Bitmap& bitmap, Span rows) {
    const int width = bitmap.width, height = rows.last - rows.first + 1;
    std::vector<int> piece(static_cast<std::size_t>(width * height), -1);
    std::vector<Span> pieces;
    for (int y0 = 0; y0 < height; ++y0)
        for (int x0 = 0; x0 < width; ++x0) {
            if (piece[static_cast<std::size_t>(y0 * width + x0)] >= 0 ||
                !isDark(pixelAt(bitmap, x0, rows.first + y0)))
                continue;
            const int id = static_cast<int>(pieces.size());
            Span columns{x0, x0};
            std::vector<std::pair<int, int>> stack = {{x0, y0}};
            piece[static_cast<std::size_t>(y0 * width + x0)] = id;
            while (!stack.empty()) {
                const auto [x, y] = stack.back();
                stack.pop_back();
                columns = {std::min(columns.first, x), std::max(columns.last, x)};
                for (int dy = -1; dy <= 1; ++dy)
                    for (int dx = -1; dx <= 1; ++dx) {
                        const int nx = x + dx, ny = y + dy;
                        if (nx < 0 || ny < 0 || nx >= width || ny >= height)
                            continue;
                        int& seen = piece[static_cast<std::size_t>(ny * width + nx)];
                        if (seen < 0 && isDark(pixelAt(bitmap, nx, rows.first + ny))) {
                            seen = id;
                            stack.push_back({nx, ny});
                        }
                    }
            }
            pieces.push_back(columns);
        }
    std::sort(pieces.begin(), pieces.end(),
              [](Span a, Span b) { return a.last - a.first > b.last - b.first; });
    std::vector<Span> glyphs;
    for (const Span& p : pieces) {
        auto within = std::find_if(glyphs.begin(), glyphs.end(), [&](const Span& g) {
            return g.first <= p.first && p.last <= g.last;
        });
        if (within == glyphs.end())
            glyphs.push_back(p);
    }
    std::sort(glyphs.begin(), glyphs.end(), [](Span a, Span b) { return a.first < b.first; });
    return glyphs;
}

// A letter is drawn alike wherever it stands: every instance of one glyph is equally wide.
// Each line is cut into glyphs and into words at the widest gaps. A word in which every glyph
// stands alone (none touches its neighbour) is matched against its text letter by letter; the
// others cannot be measured glyph by glyph and are left out, as are the bold choice letters,
// which stand once each.
TEST_P(StatementBitmapTest, EveryInstanceOfAGlyphIsEquallyWide) {
    const auto* source = sourceOf(pictures::statementSources(), GetParam().window);
    ASSERT_NE(source, nullptr);

    // The words of each line, each a string of glyph names; a raised figure is its own glyph.
    std::vector<std::vector<std::u32string>> lineWords(3);
    auto add = [](std::vector<std::u32string>& words, const pictures::Spans& spans, bool fresh) {
        for (const pictures::Span& span : spans)
            for (char32_t c : decodeUtf8(span.text).value_or(U"?")) {
                if (c == U' ') {
                    fresh = true;
                    continue;
                }
                if (fresh || words.empty())
                    words.emplace_back();
                fresh = false;
                words.back() += span.superscript && c == U'2' ? U'²' : c;
            }
    };
    add(lineWords[0], {{source->number}}, true);
    for (std::size_t i = 0; i < source->lines.size(); ++i)
        add(lineWords[i], source->lines[i], true);
    for (const pictures::Spans& choice : source->choices) {
        lineWords[2].push_back(U"*"); // the bold letter
        add(lineWords[2], choice, true);
    }

    std::map<char32_t, std::set<int>> widths;
    int matched = 0, letters = 0; // letters of the text, and those measured
    for (std::size_t i = 0; i < 3; ++i) {
        const Span rows = m_lines[i];
        std::vector<Span> glyphs = glyphColumns(m_bitmap, rows);
        const std::vector<std::u32string>& words = lineWords[i];
        ASSERT_GE(glyphs.size(), words.size()) << "line " << i + 1;
        // The words part at the widest gaps between glyphs.
        std::vector<int> gaps;
        for (std::size_t g = 1; g < glyphs.size(); ++g)
            gaps.push_back(glyphs[g].first - glyphs[g - 1].last - 1);
        std::vector<int> sorted = gaps;
        std::sort(sorted.rbegin(), sorted.rend());
        const int wordGap = sorted[words.size() - 2];
        ASSERT_GT(wordGap, sorted[words.size() - 1]) << "line " << i + 1 << ": words not apart";
        std::size_t g = 0;
        for (const std::u32string& word : words) {
            std::size_t end = g + 1;
            while (end < glyphs.size() && gaps[end - 1] < wordGap)
                ++end;
            // "ы" is two pieces side by side.
            const auto pieces =
                word.size() + static_cast<std::size_t>(std::count(word.begin(), word.end(), U'ы'));
            letters += static_cast<int>(word.size());
            if (word != U"*" && end - g == pieces) {
                matched += static_cast<int>(word.size());
                for (std::size_t k = 0, at = g; k < word.size(); ++k, ++at)
                    if (word[k] == U'ы')
                        ++at;
                    else
                        widths[word[k]].insert(glyphs[at].last - glyphs[at].first + 1);
            }
            g = end;
        }
        EXPECT_EQ(g, glyphs.size()) << "line " << i + 1;
    }
    EXPECT_GE(matched, 20) << "of " << letters << ", too few glyphs stand alone to compare";
    for (const auto& [glyph, seen] : widths)
        EXPECT_EQ(seen.size(), 1u) << "\"" << utf8FromUtf32(std::u32string(1, glyph)) << "\" is "
                                   << *seen.begin() << " to " << *seen.rbegin() << " px wide";
}

INSTANTIATE_TEST_SUITE_P(Statements, StatementBitmapTest, ::testing::ValuesIn(kStatementBitmaps),
                         WindowName{});

// Graph bitmaps.

class GraphBitmapTest : public ::testing::TestWithParam<GraphBitmap> {
protected:
    void SetUp() override {
        m_bitmap = committedBitmap(GetParam().file);
        ASSERT_GT(m_bitmap.width, 0);
    }

    int count(int x0, int y0, int dx, int dy, int n, Colour c) const {
        int k = 0;
        for (int i = 0; i < n; ++i)
            k += pixelAt(m_bitmap, x0 + i * dx, y0 + i * dy) == c;
        return k;
    }

    // Columns (or rows) that the given colour runs along for much of the picture.
    std::vector<int> linesOf(Colour c, bool columns) const {
        std::vector<int> found;
        const int n = columns ? m_bitmap.width : m_bitmap.height;
        const int length = columns ? m_bitmap.height : m_bitmap.width;
        for (int i = 0; i < n; ++i) {
            const int k = columns ? count(i, 0, 0, 1, length, c) : count(0, i, 1, 0, length, c);
            if (k >= 40)
                found.push_back(i);
        }
        return found;
    }

    Bitmap m_bitmap;
};

TEST_P(GraphBitmapTest, UsesOnlyTheFourGraphColours) {
    const Palette& p = GetParam().palette;
    EXPECT_EQ(mostFrequentColour(m_bitmap), p.background);
    std::set<std::tuple<int, int, int>> seen;
    for (int y = 0; y < m_bitmap.height; ++y)
        for (int x = 0; x < m_bitmap.width; ++x) {
            const Colour c = pixelAt(m_bitmap, x, y);
            ASSERT_TRUE(c == p.background || c == p.grid || c == p.ink || c == p.line)
                << "colour " << int(c.r) << "," << int(c.g) << "," << int(c.b) << " at " << x << ","
                << y;
            seen.insert({c.r, c.g, c.b});
        }
    EXPECT_EQ(seen.size(), 4u) << "background, grid, axes and text, graph lines";
}

// Grid lines every 23 to 24 px across and 22 to 23 px up from the axes. A level graph line
// may hide one grid line under it.
TEST_P(GraphBitmapTest, GridCellsAreNearlySquare) {
    const GraphBitmap& g = GetParam();
    const std::vector<int> axisColumn = linesOf(g.palette.ink, true);
    const std::vector<int> axisRow = linesOf(g.palette.ink, false);
    ASSERT_EQ(axisColumn.size(), 1u) << "one vertical axis";
    ASSERT_EQ(axisRow.size(), 1u) << "one horizontal axis";

    struct Direction {
        const char* name;
        std::vector<int> distances; // of each grid line from its axis
        int cells;
        double smallest, largest;
    };
    std::vector<int> across, up;
    for (int x : linesOf(g.palette.grid, true))
        across.push_back(x - axisColumn[0]);
    for (int y : linesOf(g.palette.grid, false))
        up.push_back(axisRow[0] - y);
    const Direction directions[] = {{"across", across, g.timeCells, 23, 24},
                                    {"up", up, g.velocityCells, 22, 23}};
    for (const Direction& d : directions) {
        SCOPED_TRACE(d.name);
        ASSERT_GE(d.distances.size() + 1, static_cast<std::size_t>(d.cells));
        ASSERT_LE(d.distances.size(), static_cast<std::size_t>(d.cells));
        const int far = *std::max_element(d.distances.begin(), d.distances.end());
        const double cell = static_cast<double>(far) / d.cells;
        EXPECT_GE(cell, d.smallest);
        EXPECT_LE(cell, d.largest);
        for (int distance : d.distances) {
            const double steps = distance / cell;
            EXPECT_NEAR(steps, std::round(steps), 1.0 / cell) << "grid line at " << distance;
            EXPECT_GE(std::round(steps), 1.0);
        }
    }
}

// A graph line is two pixels thick: across a flat stretch its pixels pair up and down, across
// a steep one left and right, so nearly every pixel has line pixels beside it both ways. A
// one-pixel line has that only where it turns or crosses another.
TEST_P(GraphBitmapTest, LinesAreTwoPixelsThick) {
    const Colour line = GetParam().palette.line;
    auto isLine = [&](int x, int y) {
        return x >= 0 && y >= 0 && x < m_bitmap.width && y < m_bitmap.height &&
               pixelAt(m_bitmap, x, y) == line;
    };
    int pixels = 0, thick = 0;
    for (int y = 0; y < m_bitmap.height; ++y)
        for (int x = 0; x < m_bitmap.width; ++x) {
            if (!isLine(x, y))
                continue;
            ++pixels;
            thick +=
                (isLine(x, y - 1) || isLine(x, y + 1)) && (isLine(x - 1, y) || isLine(x + 1, y));
        }
    EXPECT_GT(pixels, 100);
    EXPECT_GE(thick, pixels * 95 / 100) << thick << " of " << pixels << " pixels";
}

// A sloping line is as heavy as a level one: two pixels thick square to its direction. Across a
// column of a flat line (a row of a steep one) that is 2 / cos of the slope pixels; sampled
// along the middle of each line of the graph's source, the runs of the line's colour come to
// that on average. A line two pixels thick along an axis gives 2 whatever its slope.
TEST_P(GraphBitmapTest, SlopingLinesAreAsHeavyAsLevelOnes) {
    const auto* source = sourceOf(pictures::graphSources(), GetParam().window);
    ASSERT_NE(source, nullptr);
    const Colour line = GetParam().palette.line;
    for (const pictures::GraphLine& l : source->lines) {
        auto at = [&](double t, double v) {
            return std::pair{source->originX + t / source->time.step * source->cellWidth,
                             source->originY - v / source->velocity.step * source->cellHeight};
        };
        const auto [x0, y0] = at(l.t0, l.v0);
        const auto [x1, y1] = at(l.t1, l.v1);
        const bool steep = std::abs(y1 - y0) > std::abs(x1 - x0);
        const double across =
            2 * std::hypot(x1 - x0, y1 - y0) / (steep ? std::abs(y1 - y0) : std::abs(x1 - x0));
        double sum = 0;
        int samples = 0;
        for (int i = 4; i <= 16; ++i) {
            const int x = static_cast<int>(std::lround(x0 + (x1 - x0) * i / 20));
            const int y = static_cast<int>(std::lround(y0 + (y1 - y0) * i / 20));
            int run = 0;
            for (int d = -4; d <= 4; ++d) {
                const int px = steep ? x + d : x, py = steep ? y : y + d;
                run += pixelAt(m_bitmap, px, py) == line;
            }
            if (run > across + 2) // where another line crosses
                continue;
            sum += run;
            ++samples;
        }
        ASSERT_GE(samples, 8);
        EXPECT_NEAR(sum / samples, across, 0.3)
            << "line from (" << l.t0 << ", " << l.v0 << ") to (" << l.t1 << ", " << l.v1 << ")";
    }
}

INSTANTIATE_TEST_SUITE_P(Graphs, GraphBitmapTest, ::testing::ValuesIn(kGraphs), WindowName{});

} // namespace
} // namespace kt::test
