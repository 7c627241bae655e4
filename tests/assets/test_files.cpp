#include "assets/test_files.h"

#include <cassert>

namespace kt::test {

Bytes& Bytes::u8(std::uint32_t v) {
    m_bytes.push_back(static_cast<std::byte>(v & 0xFF));
    return *this;
}

Bytes& Bytes::u16(std::uint32_t v) {
    return u8(v).u8(v >> 8);
}

Bytes& Bytes::u32(std::uint32_t v) {
    return u16(v).u16(v >> 16);
}

Bytes& Bytes::ascii(std::string_view text) {
    for (char c : text)
        u8(static_cast<unsigned char>(c));
    return *this;
}

Bytes& Bytes::raw(std::initializer_list<std::uint8_t> bytes) {
    for (std::uint8_t v : bytes)
        u8(v);
    return *this;
}

Bytes& Bytes::utf16(std::u16string_view text) {
    for (char16_t c : text)
        u16(c);
    return *this;
}

Bytes& Bytes::zeros(std::size_t n) {
    m_bytes.insert(m_bytes.end(), n, std::byte{0});
    return *this;
}

Bytes& Bytes::append(std::span<const std::byte> more) {
    m_bytes.insert(m_bytes.end(), more.begin(), more.end());
    return *this;
}

void Bytes::setU16(std::size_t at, std::uint16_t v) {
    assert(at + 2 <= m_bytes.size());
    m_bytes[at] = static_cast<std::byte>(v & 0xFF);
    m_bytes[at + 1] = static_cast<std::byte>(v >> 8);
}

void Bytes::setU32(std::size_t at, std::uint32_t v) {
    assert(at + 4 <= m_bytes.size());
    for (int i = 0; i < 4; ++i)
        m_bytes[at + i] = static_cast<std::byte>((v >> (8 * i)) & 0xFF);
}

std::uint32_t Bytes::getU32(std::size_t at) const {
    assert(at + 4 <= m_bytes.size());
    std::uint32_t v = 0;
    for (int i = 3; i >= 0; --i)
        v = v << 8 | static_cast<std::uint32_t>(m_bytes[at + i]);
    return v;
}

std::vector<std::byte> pictureRecordOf(std::span<const std::byte> image) {
    Bytes b;
    b.u32(static_cast<std::uint32_t>(image.size() + 8)) // record length
        .ascii("lt")
        .u16(0)                                        // kind marker
        .u32(static_cast<std::uint32_t>(image.size())) // image length
        .append(image);
    return b.bytes();
}

std::uint8_t patternRed(int x, int /*y*/) {
    return static_cast<std::uint8_t>(x * 16 + 1);
}
std::uint8_t patternGreen(int /*x*/, int y) {
    return static_cast<std::uint8_t>(y * 16 + 2);
}
std::uint8_t patternBlue(int x, int y) {
    return static_cast<std::uint8_t>(x + y + 3);
}

std::vector<std::byte> patternBmp(int width, int height) {
    const int stride = (3 * width + 3) / 4 * 4;
    const auto pixelBytes = static_cast<std::uint32_t>(stride * height);
    Bytes b;
    b.ascii("BM")             // signature
        .u32(54 + pixelBytes) // file size
        .u16(0)               // reserved
        .u16(0)               // reserved
        .u32(54)              // pixel data offset
        .u32(40)              // information header size
        .i32(width)           // width
        .i32(height)          // height, positive: bottom row first
        .u16(1)               // planes
        .u16(24)              // bits per pixel
        .u32(0)               // no compression
        .u32(pixelBytes)      // image size
        .i32(0)               // horizontal resolution
        .i32(0)               // vertical resolution
        .u32(0)               // colours used
        .u32(0);              // colours important
    for (int y = height - 1; y >= 0; --y) {
        for (int x = 0; x < width; ++x)
            b.u8(patternBlue(x, y)).u8(patternGreen(x, y)).u8(patternRed(x, y));
        for (int pad = 3 * width; pad < stride; ++pad)
            b.u8(0xEE);
    }
    return b.bytes();
}

EmfWriter::EmfWriter(std::uint16_t handles) {
    const std::size_t start = begin(1); // EMR_HEADER
    m_out
        .rect(0, 0, 3897, 350)   // bounds
        .rect(0, 0, 16500, 1486) // frame, 0.01 mm
        .ascii(" EMF")           // signature
        .u32(0x00010000)         // version
        .u32(0)                  // bytes, filled by finish()
        .u32(0)                  // records, filled by finish()
        .u16(handles)            // handles
        .u16(0)                  // reserved
        .u32(0)                  // no description
        .u32(0)                  // description offset
        .u32(0)                  // no palette entries
        .pair(4756, 6810)        // device, pixels
        .pair(201, 288)          // device, millimetres
        .u32(0)                  // no pixel format
        .u32(0)                  // pixel format offset
        .u32(0)                  // no OpenGL
        .pair(201364, 288364);   // device, micrometres
    end(start);
}

std::size_t EmfWriter::begin(std::uint32_t type) {
    const std::size_t start = m_out.size();
    m_out.u32(type).u32(0); // size filled by end()
    ++m_records;
    return start;
}

void EmfWriter::end(std::size_t start) {
    while (m_out.size() % 4 != 0)
        m_out.u8(0);
    m_out.setU32(start + 4, static_cast<std::uint32_t>(m_out.size() - start));
}

std::size_t EmfWriter::windowOrg(std::int32_t x, std::int32_t y) {
    return raw(10, Bytes().pair(x, y));
}

std::size_t EmfWriter::windowExt(std::int32_t cx, std::int32_t cy) {
    return raw(9, Bytes().pair(cx, cy));
}

std::size_t EmfWriter::textAlign(std::uint32_t mode) {
    return raw(22, Bytes().u32(mode));
}

std::size_t EmfWriter::bkMode(std::uint32_t mode) {
    return raw(18, Bytes().u32(mode));
}

std::size_t EmfWriter::textColor(std::uint32_t colorRef) {
    return raw(24, Bytes().u32(colorRef));
}

std::size_t EmfWriter::font(std::uint32_t ih, std::int32_t height, std::int32_t weight, bool italic,
                            std::u16string_view face, std::u16string_view tail) {
    assert(face.size() + 1 + tail.size() <= 32);
    const std::size_t start = begin(82);
    m_out
        .u32(ih)            // object number
        .i32(height)        // height
        .i32(0)             // width
        .i32(0)             // escapement
        .i32(0)             // orientation
        .i32(weight)        // weight
        .u8(italic ? 1 : 0) // italic
        .u8(0)              // underline
        .u8(0)              // strike-out
        .u8(204)            // character set: Cyrillic
        .u8(4)              // output precision
        .u8(64)             // clip precision
        .u8(0)              // quality
        .u8(0x12)           // pitch and family
        .utf16(face)        // face name
        .u16(0)             //   its end
        .utf16(tail)        //   what a writer left after it
        .zeros(2 * (31 - face.size() - tail.size()))
        .zeros(128 + 64 + 64) // full name, style, script
        .u32(0x08007664)      // design vector signature
        .u32(0);              // no axes
    end(start);
    return start;
}

std::size_t EmfWriter::select(std::uint32_t ih) {
    return raw(37, Bytes().u32(ih));
}

std::size_t EmfWriter::text(std::int32_t x, std::int32_t y, std::u16string_view chars,
                            const std::vector<std::int32_t>& dx, std::uint32_t options) {
    assert(dx.size() == chars.size());
    const bool rect = (options & 0x0100) == 0;
    const std::size_t fixed = rect ? 76 : 60;
    const std::size_t offDx = fixed + (2 * chars.size() + 3) / 4 * 4;
    const std::size_t start = begin(84);
    m_out.i32(0)
        .i32(0)
        .i32(-1)
        .i32(-1) // bounds, unused
        .u32(1)  // compatible graphics mode
        .u32(0)  // exScale
        .u32(0)  // eyScale
        .i32(x)
        .i32(y)                                        // reference point
        .u32(static_cast<std::uint32_t>(chars.size())) // characters
        .u32(static_cast<std::uint32_t>(fixed))        // string offset
        .u32(options);                                 // options
    if (rect)
        m_out.rect(0, 0, kSpaceWidth, kSpaceHeight); // clip rectangle
    m_out.u32(static_cast<std::uint32_t>(offDx));    // advances offset
    m_out.utf16(chars);
    while (m_out.size() - start < offDx)
        m_out.u8(0);
    for (std::int32_t d : dx)
        m_out.i32(d);
    end(start);
    return start;
}

std::size_t EmfWriter::saveDc() {
    return raw(33, {});
}

std::size_t EmfWriter::restoreDc(std::int32_t relative) {
    return raw(34, Bytes().i32(relative));
}

std::size_t EmfWriter::clip(std::int32_t left, std::int32_t top, std::int32_t right,
                            std::int32_t bottom) {
    return raw(30, Bytes().rect(left, top, right, bottom));
}

std::size_t EmfWriter::emfPlusComment() {
    return raw(70, Bytes()
                       .u32(16)       // data size: identifier and one EMF+ record
                       .ascii("EMF+") // identifier
                       .u16(0x4004)   // EmfPlusGetDC
                       .u16(0)        // flags
                       .u32(12)       // size
                       .u32(0));      // data size
}

std::size_t EmfWriter::raw(std::uint32_t type, std::span<const std::byte> body) {
    const std::size_t start = begin(type);
    m_out.append(body);
    end(start);
    return start;
}

std::vector<std::byte> EmfWriter::finish() {
    raw(14, Bytes()        // EMR_EOF
                .u32(0)    // no palette entries
                .u32(16)   // palette offset
                .u32(20)); // size again
    m_out.setU32(48, static_cast<std::uint32_t>(m_out.size()));
    m_out.setU32(52, m_records);
    return m_out.bytes();
}

std::vector<std::byte> sampleEmf() {
    EmfWriter w(3);
    w.emfPlusComment();
    w.emfPlusComment();
    w.textAlign(24);
    w.windowOrg(0, 0);
    w.windowExt(kSpaceWidth, kSpaceHeight);
    w.select(0x8000000E); // DEVICE_DEFAULT_FONT
    w.bkMode(1);
    w.font(1, -100, 400, false, u"Times New Roman");
    w.select(1);
    w.textColor(0);
    w.text(40, 120, u"1. Тело", {50, 25, 25, 60, 45, 45, 45});
    w.saveDc();
    w.clip(0, 0, kSpaceWidth, kSpaceHeight);
    w.restoreDc(-1);
    w.font(2, -100, 400, false, u"Arial");
    w.select(2);
    w.text(300, 120, u"  ", {25, 25});
    w.select(1);
    w.text(350, 120, u"v=3+2t", {45, 56, 50, 56, 50, 28});
    w.select(0x8000000E);
    w.emfPlusComment();
    w.emfPlusComment();
    return w.finish();
}

} // namespace kt::test
