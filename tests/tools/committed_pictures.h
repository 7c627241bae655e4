#pragma once

// The committed picture files and what the tests need to know about where they are shown.

#include "assets/bitmap.h"
#include "assets/metafile.h"
#include "support/text_lines.h"
#include "ui/layout.h"

#include <gtest/gtest.h>

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace kt::test {

// The bytes of a file under assets/ (or under $KT_ASSETS_DIR when set), or empty when it
// cannot be read.
std::vector<std::byte> assetFile(std::string_view relativePath);

// Little-endian fields of a file's bytes.
std::uint32_t u16At(const std::vector<std::byte>& bytes, std::size_t at);
std::uint32_t u32At(const std::vector<std::byte>& bytes, std::size_t at);

// A statement picture: the window it stands in and its file under assets/pictures.
struct StatementFile {
    int window;
    std::string_view file;
};
inline constexpr StatementFile kStatementBitmaps[] = {
    {1, "form1_picture1.bmp"}, {2, "form2_picture1.bmp"},   {8, "form8_picture1.bmp"},
    {9, "form9_picture1.bmp"}, {10, "form10_picture1.bmp"},
};
inline constexpr StatementFile kStatementMetafiles[] = {
    {3, "form3_picture1.emf"}, {4, "form4_picture1.emf"}, {5, "form5_picture1.emf"},
    {6, "form6_picture1.emf"}, {7, "form7_picture1.emf"},
};
inline void PrintTo(const StatementFile& s, std::ostream* os) {
    *os << s.file;
}

// Reads a committed picture; a failure is reported and gives an empty picture.
Bitmap committedBitmap(std::string_view fileName);
Metafile committedMetafile(std::string_view fileName);

// "Form3" -> its description among the ten question windows.
const WindowDescription& questionWindow(int number);

// The box (in twips) less its border, where its picture is shown, in pixels as the windows
// place it (ui/layout.h).
PixelRect innerArea(const Rect& box, int border);

// The statement box may have no border, a 1-px flat one or a 2-px sunken one; the graph boxes
// have the sunken one.
inline constexpr std::array<int, 3> kStatementBorders = {0, 1, 2};
inline constexpr int kSunkenBorder = 2;

struct Colour {
    std::uint8_t r = 0, g = 0, b = 0;
    friend bool operator==(Colour, Colour) = default;
};

Colour pixelAt(const Bitmap& bitmap, int x, int y);
// The background: the colour most pixels have.
Colour mostFrequentColour(const Bitmap& bitmap);
// Text ink, as opposed to the grey edge of a smoothed glyph.
bool isDark(Colour c);

struct Area {
    Span columns, rows;
    bool empty() const { return columns.empty() || rows.empty(); }
};

// Where pixels other than the background lie.
Area drawnArea(const Bitmap& bitmap, Colour background);
// Runs of rows holding dark pixels, separated by rows without: the text lines.
std::vector<Span> textLines(const Bitmap& bitmap);
// The first column at or after `from` with a dark pixel in the given rows; -1 if none.
int firstDarkColumn(const Bitmap& bitmap, Span rows, int from);
// The glyphs that start at column `from` in the given rows: the columns up to the first gap of
// three columns without ink, and the rows of dark pixels among them.
Area wordAt(const Bitmap& bitmap, Span rows, int from, Colour background);

// A text run of a metafile with the font it is drawn in.
struct TextRun {
    EmfText text;
    EmfCreateFont font;
    std::size_t fileOffset = 0;

    std::int32_t end() const; // reference x plus every advance
};
// The runs in file order, each with the font selected when it is drawn.
std::vector<TextRun> textRuns(const Metafile& metafile);

std::u16string utf16(std::string_view utf8);

// Names a case of a table of windows after its window: "Form3".
struct WindowName {
    template <class Row> std::string operator()(const ::testing::TestParamInfo<Row>& row) const {
        return "Form" + std::to_string(row.param.window);
    }
};
std::string utf8(std::u16string_view text);

} // namespace kt::test
