#pragma once

#include <bit>
#include <cstddef>
#include <cstdint>
#include <string_view>
#include <vector>

namespace kt::pictures {

// Appends little-endian integers to a growing file image. Every format we write is
// little-endian whatever the host is, so values are split into bytes by hand.
class ByteWriter {
public:
    void u8(std::uint32_t v) { m_bytes.push_back(static_cast<std::byte>(v & 0xFFu)); }
    void u16(std::uint32_t v) {
        u8(v);
        u8(v >> 8);
    }
    void u32(std::uint32_t v) {
        u16(v & 0xFFFFu);
        u16(v >> 16);
    }
    void i32(std::int32_t v) { u32(static_cast<std::uint32_t>(v)); }
    void f32(float v) { u32(std::bit_cast<std::uint32_t>(v)); }
    void zeros(std::size_t count) { m_bytes.insert(m_bytes.end(), count, std::byte{0}); }
    void ascii(std::string_view s) {
        for (char c : s)
            u8(static_cast<unsigned char>(c));
    }
    void padTo4() { zeros((4 - m_bytes.size() % 4) % 4); }

    // Overwrites four bytes written earlier, for sizes and counts known only at the end.
    void patchU32(std::size_t offset, std::uint32_t v) {
        for (int i = 0; i < 4; ++i)
            m_bytes[offset + i] = static_cast<std::byte>((v >> (8 * i)) & 0xFFu);
    }

    std::size_t size() const { return m_bytes.size(); }
    std::vector<std::byte> take() { return std::move(m_bytes); }

private:
    std::vector<std::byte> m_bytes;
};

} // namespace kt::pictures
