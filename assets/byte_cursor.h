#pragma once

// A little-endian reader over a byte range that can never read outside it. A read that does
// not fit yields 0, leaves the position where it was, and marks the cursor as failed; later
// reads fail too. So a reader can take a whole fixed structure and check once at its end,
// knowing the first failing offset.

#include <cstddef>
#include <cstdint>
#include <span>

namespace kt {

class ByteCursor {
public:
    // `base` is where `bytes` starts in its file, so that offsets read as file offsets.
    explicit ByteCursor(std::span<const std::byte> bytes, std::size_t base = 0)
        : m_bytes(bytes), m_base(base) {}

    std::size_t offset() const { return m_base + m_pos; }
    std::size_t remaining() const { return m_bytes.size() - m_pos; }
    bool failed() const { return m_failed; }
    // The file offset of the first read that did not fit.
    std::size_t failedAt() const { return m_base + m_failedAt; }

    std::uint8_t u8() {
        const std::byte* p = take(1);
        return p ? static_cast<std::uint8_t>(p[0]) : 0;
    }
    std::uint16_t u16() {
        const std::byte* p = take(2);
        return p ? static_cast<std::uint16_t>(byteAt(p, 0) | byteAt(p, 1) << 8) : 0;
    }
    std::uint32_t u32() {
        const std::byte* p = take(4);
        return p ? byteAt(p, 0) | byteAt(p, 1) << 8 | byteAt(p, 2) << 16 | byteAt(p, 3) << 24 : 0;
    }
    std::int32_t i32() { return static_cast<std::int32_t>(u32()); }

    // The next `n` bytes, or an empty span if fewer are left.
    std::span<const std::byte> bytes(std::size_t n) {
        const std::byte* p = take(n);
        return p ? std::span<const std::byte>(p, n) : std::span<const std::byte>();
    }
    void skip(std::size_t n) { take(n); }
    // Moves to `pos`, counted from the start of the range (not from `base`).
    void seek(std::size_t pos) {
        if (m_failed)
            return;
        if (pos > m_bytes.size())
            fail(pos);
        else
            m_pos = pos;
    }

private:
    static std::uint32_t byteAt(const std::byte* p, int i) {
        return static_cast<std::uint32_t>(p[i]);
    }
    const std::byte* take(std::size_t n) {
        if (m_failed)
            return nullptr;
        if (n > remaining()) {
            fail(m_pos);
            return nullptr;
        }
        const std::byte* p = m_bytes.data() + m_pos;
        m_pos += n;
        return p;
    }
    void fail(std::size_t at) {
        m_failed = true;
        m_failedAt = at;
    }

    std::span<const std::byte> m_bytes;
    std::size_t m_base = 0;
    std::size_t m_pos = 0;
    std::size_t m_failedAt = 0;
    bool m_failed = false;
};

} // namespace kt
