#pragma once

// The number rules of the runtime that the windows compute with: 16-bit counters that refuse to
// overflow, rounding half to even, the signed number text written into captions, and the
// numeric prefix parse that reads it back.

#include <cstdint>
#include <string>
#include <string_view>

namespace kt {

// a + b as a 16-bit signed addition; raises the overflow error when it does not fit.
std::int16_t addInt16(std::int16_t a, std::int16_t b);

// Rounds half to even; raises the overflow error outside the target range (NaN included).
std::int16_t roundToInt16(double value);
std::int32_t roundToInt32(double value);

// One character for the sign (a blank for zero and positive numbers, "-" for negative ones),
// then the decimal digits without leading zeros: " 0", " 17", "-1".
std::string signedNumberText(std::int64_t value);

// Skips blanks, reads an optional sign, digits, an optional decimal point and more digits, and
// stops at the first character that cannot continue the number. 0 when no digit was read.
double numericPrefixParse(std::string_view text);

} // namespace kt
