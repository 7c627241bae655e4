#pragma once

// Small picture files built in memory for the reader tests and the fuzzing seeds. Each builder
// writes the bytes field by field, so a test can also damage one field at a known offset.

#include <cstddef>
#include <cstdint>
#include <initializer_list>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace kt::test {

// Appends little-endian fields.
class Bytes {
public:
    Bytes& u8(std::uint32_t v);
    Bytes& u16(std::uint32_t v);
    Bytes& u32(std::uint32_t v);
    Bytes& i32(std::int32_t v) { return u32(static_cast<std::uint32_t>(v)); }
    Bytes& pair(std::int32_t a, std::int32_t b) { return i32(a).i32(b); }
    Bytes& rect(std::int32_t left, std::int32_t top, std::int32_t right, std::int32_t bottom) {
        return pair(left, top).pair(right, bottom);
    }
    Bytes& ascii(std::string_view text);
    Bytes& raw(std::initializer_list<std::uint8_t> bytes);
    Bytes& utf16(std::u16string_view text);
    Bytes& zeros(std::size_t n);
    Bytes& append(std::span<const std::byte> more);

    void setU16(std::size_t at, std::uint16_t v);
    void setU32(std::size_t at, std::uint32_t v);
    std::uint32_t getU32(std::size_t at) const;

    std::size_t size() const { return m_bytes.size(); }
    const std::vector<std::byte>& bytes() const { return m_bytes; }
    std::vector<std::byte>& bytes() { return m_bytes; }
    operator std::span<const std::byte>() const { return m_bytes; }

private:
    std::vector<std::byte> m_bytes;
};

// A record with the given image: record length, "lt\0\0", image length, image.
std::vector<std::byte> pictureRecordOf(std::span<const std::byte> image);

// A 24-bit bottom-up BMP whose pixel (x, y) is {x * 16 + 1, y * 16 + 2, x + y + 3}, with pad
// bytes filled with 0xEE so that a reader that copies them shows it.
std::vector<std::byte> patternBmp(int width, int height);
std::uint8_t patternRed(int x, int y);
std::uint8_t patternGreen(int x, int y);
std::uint8_t patternBlue(int x, int y);

// Writes EMF records; finish() appends EMR_EOF and fills in the header's byte and record
// counts. Every writer appends one whole record and returns its offset.
class EmfWriter {
public:
    // A 108-byte header like those of our statement pictures.
    explicit EmfWriter(std::uint16_t handles = 6);

    std::size_t windowOrg(std::int32_t x, std::int32_t y);
    std::size_t windowExt(std::int32_t cx, std::int32_t cy);
    std::size_t textAlign(std::uint32_t mode);
    std::size_t bkMode(std::uint32_t mode);
    std::size_t textColor(std::uint32_t colorRef);
    // A 368-byte font record; `tail` is written after the face name's NUL.
    std::size_t font(std::uint32_t ih, std::int32_t height, std::int32_t weight, bool italic,
                     std::u16string_view face, std::u16string_view tail = {});
    std::size_t select(std::uint32_t ih);
    std::size_t text(std::int32_t x, std::int32_t y, std::u16string_view chars,
                     const std::vector<std::int32_t>& dx, std::uint32_t options = 0x0004);
    std::size_t saveDc();
    std::size_t restoreDc(std::int32_t relative);
    std::size_t clip(std::int32_t left, std::int32_t top, std::int32_t right, std::int32_t bottom);
    // An EMF+ carrier holding one EmfPlusGetDC record.
    std::size_t emfPlusComment();
    // Any record: type, size, then `body`.
    std::size_t raw(std::uint32_t type, std::span<const std::byte> body);
    std::vector<std::byte> finish();

    Bytes& bytes() { return m_out; }

private:
    std::size_t begin(std::uint32_t type);
    void end(std::size_t start);

    Bytes m_out;
    std::uint32_t m_records = 0;
};

// The sizes of our statement pictures' drawing space.
inline constexpr std::int32_t kSpaceWidth = 3898;
inline constexpr std::int32_t kSpaceHeight = 351;

// A complete small metafile in the shape of our statement pictures: two fonts, three runs
// (one of spaces in the second font), an empty save-clip-restore group and the EMF+ comments.
std::vector<std::byte> sampleEmf();

} // namespace kt::test
