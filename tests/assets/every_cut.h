#pragma once

#include <gtest/gtest.h>

#include <cstddef>
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

} // namespace kt::test
