#pragma once

#include "assets/read_result.h"
#include "assets/test_files.h"

#include <gtest/gtest.h>

#include <cstddef>
#include <cstdint>
#include <functional>
#include <span>
#include <vector>

namespace kt::test {

// Cuts `whole` at every length short of its own and expects each cut to be refused with an
// error that lies within the bytes that are there. Each cut is copied into a buffer of its
// own size, so that the address sanitizer sees any read past the end.
template <class Read> void expectEveryCutFails(std::span<const std::byte> whole, Read read) {
    for (std::size_t n = 0; n < whole.size(); ++n) {
        const std::vector<std::byte> cut(whole.begin(), whole.begin() + static_cast<long>(n));
        const auto result = read(std::span<const std::byte>(cut));
        ASSERT_FALSE(result.ok()) << "cut after " << n << " of " << whole.size() << " bytes";
        EXPECT_LE(result.error().offset, n) << result.error().describe();
    }
}

// One way of damaging a good file, and the error it must give.
struct Damage {
    const char* name;
    std::function<void(Bytes&)> damage;
    ReadErrorCode code;
    std::size_t offset;
    std::int64_t value;
};

// Damages a copy of `good` in each way and expects `read` to refuse it naming the field.
template <class Read>
void expectEveryDamageRefused(std::span<const Damage> rows, const Bytes& good, Read read) {
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        Bytes b = good;
        row.damage(b);
        const auto result = read(std::span<const std::byte>(b));
        ASSERT_FALSE(result.ok());
        EXPECT_EQ(result.error().code, row.code) << result.error().describe();
        EXPECT_EQ(result.error().offset, row.offset) << result.error().describe();
        EXPECT_EQ(result.error().value, row.value) << result.error().describe();
    }
}

} // namespace kt::test
