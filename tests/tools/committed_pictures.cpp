#include "tools/committed_pictures.h"

#include "assets/unicode.h"
#include "questions/question_windows.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <map>

namespace kt::test {

std::vector<std::byte> assetFile(std::string_view relativePath) {
    // KT_ASSETS_DIR in the environment points the checks at another folder, such as freshly
    // generated pictures before they replace the committed ones.
    const char* other = std::getenv("KT_ASSETS_DIR");
    const std::string dir = other != nullptr && *other != '\0' ? other : KT_ASSETS_DIR;
    const std::string path = dir + "/" + std::string(relativePath);
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return {};
    const std::vector<char> chars((std::istreambuf_iterator<char>(in)),
                                  std::istreambuf_iterator<char>());
    std::vector<std::byte> bytes(chars.size());
    std::transform(chars.begin(), chars.end(), bytes.begin(),
                   [](char c) { return static_cast<std::byte>(c); });
    return bytes;
}

std::uint32_t u16At(const std::vector<std::byte>& bytes, std::size_t at) {
    return std::to_integer<std::uint32_t>(bytes.at(at)) |
           std::to_integer<std::uint32_t>(bytes.at(at + 1)) << 8;
}

std::uint32_t u32At(const std::vector<std::byte>& bytes, std::size_t at) {
    return u16At(bytes, at) | u16At(bytes, at + 2) << 16;
}

Bitmap committedBitmap(std::string_view fileName) {
    const auto bytes = assetFile("pictures/" + std::string(fileName));
    EXPECT_FALSE(bytes.empty()) << fileName << " is missing";
    auto result = readBmp(bytes);
    if (!result) {
        ADD_FAILURE() << fileName << ": " << result.error().describe();
        return {};
    }
    return std::move(result).value();
}

Metafile committedMetafile(std::string_view fileName) {
    const auto bytes = assetFile("pictures/" + std::string(fileName));
    EXPECT_FALSE(bytes.empty()) << fileName << " is missing";
    auto result = readEmf(bytes);
    if (!result) {
        ADD_FAILURE() << fileName << ": " << result.error().describe();
        return {};
    }
    return std::move(result).value();
}

const WindowDescription& questionWindow(int number) {
    return kQuestionWindows.at(static_cast<std::size_t>(number - 1));
}

PixelRect innerArea(const Rect& box, int border) {
    PixelRect r = toPixels(box);
    return {r.left + border, r.top + border, r.width - 2 * border, r.height - 2 * border};
}

Colour pixelAt(const Bitmap& bitmap, int x, int y) {
    const std::size_t i =
        3 * (static_cast<std::size_t>(y) * static_cast<std::size_t>(bitmap.width) +
             static_cast<std::size_t>(x));
    return {bitmap.rgb[i], bitmap.rgb[i + 1], bitmap.rgb[i + 2]};
}

Colour mostFrequentColour(const Bitmap& bitmap) {
    std::map<std::uint32_t, int> counts;
    for (int y = 0; y < bitmap.height; ++y)
        for (int x = 0; x < bitmap.width; ++x) {
            const Colour c = pixelAt(bitmap, x, y);
            ++counts[static_cast<std::uint32_t>(c.r << 16 | c.g << 8 | c.b)];
        }
    const auto best = std::max_element(counts.begin(), counts.end(),
                                       [](auto a, auto b) { return a.second < b.second; });
    if (best == counts.end())
        return {};
    return {static_cast<std::uint8_t>(best->first >> 16),
            static_cast<std::uint8_t>(best->first >> 8), static_cast<std::uint8_t>(best->first)};
}

bool isDark(Colour c) {
    return std::max({c.r, c.g, c.b}) < 128;
}

namespace {
void extend(Span& s, int v) {
    if (s.empty()) {
        s = {v, v};
        return;
    }
    s.first = std::min(s.first, v);
    s.last = std::max(s.last, v);
}
} // namespace

Area drawnArea(const Bitmap& bitmap, Colour background) {
    Area area;
    for (int y = 0; y < bitmap.height; ++y)
        for (int x = 0; x < bitmap.width; ++x)
            if (pixelAt(bitmap, x, y) != background) {
                extend(area.columns, x);
                extend(area.rows, y);
            }
    return area;
}

std::vector<Span> textLines(const Bitmap& bitmap) {
    return textLines(0, 0, bitmap.width - 1, bitmap.height - 1,
                     [&](int x, int y) { return isDark(pixelAt(bitmap, x, y)); });
}

int firstDarkColumn(const Bitmap& bitmap, Span rows, int from) {
    for (int x = std::max(from, 0); x < bitmap.width; ++x)
        for (int y = rows.first; y <= rows.last; ++y)
            if (isDark(pixelAt(bitmap, x, y)))
                return x;
    return -1;
}

Area wordAt(const Bitmap& bitmap, Span rows, int from, Colour background) {
    constexpr int kWordGap = 3;
    Area word;
    int blank = 0;
    for (int x = from; x < bitmap.width && blank < kWordGap; ++x) {
        bool ink = false;
        for (int y = rows.first; y <= rows.last; ++y) {
            const Colour c = pixelAt(bitmap, x, y);
            ink = ink || c != background;
            if (isDark(c))
                extend(word.rows, y);
        }
        if (ink) {
            extend(word.columns, x);
            blank = 0;
        } else {
            ++blank;
        }
    }
    return word;
}

std::int32_t TextRun::end() const {
    std::int32_t x = text.reference.x;
    for (std::int32_t dx : text.dx)
        x += dx;
    return x;
}

std::vector<TextRun> textRuns(const Metafile& metafile) {
    std::map<std::uint32_t, EmfCreateFont> fonts;
    EmfCreateFont current;
    std::vector<TextRun> runs;
    for (const MetafileRecord& record : metafile.records) {
        if (const auto* create = std::get_if<EmfCreateFont>(&record.data))
            fonts[create->ihFont] = *create;
        else if (const auto* select = std::get_if<EmfSelectObject>(&record.data))
            current = select->isStock() ? EmfCreateFont{} : fonts[select->ihObject];
        else if (const auto* text = std::get_if<EmfText>(&record.data))
            runs.push_back({*text, current, record.offset});
    }
    return runs;
}

std::u16string utf16(std::string_view utf8Text) {
    return utf16FromUtf8(utf8Text).value_or(u"(not UTF-8)");
}

std::string utf8(std::u16string_view text) {
    return utf8FromUtf16(text);
}

} // namespace kt::test
