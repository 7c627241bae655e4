#pragma once

// Conversions between the UTF-8 the program keeps its text in and the UTF-16 of metafiles.

#include <optional>
#include <string>
#include <string_view>

namespace kt {

void appendUtf8(std::string& out, char32_t c);

// A lone surrogate becomes U+FFFD.
std::string utf8FromUtf16(std::u16string_view text);
std::string utf8FromUtf32(std::u32string_view text);

// Nothing when the text is not well-formed UTF-8 (a bad lead byte, a missing continuation byte,
// an overlong form, a surrogate or a value past U+10FFFF).
std::optional<std::u32string> decodeUtf8(std::string_view text);
// Characters past the Basic Multilingual Plane become surrogate pairs.
std::optional<std::u16string> utf16FromUtf8(std::string_view text);

} // namespace kt
