#include "runtime/runtime_numbers.h"

#include "runtime/runtime_error.h"

#include <cmath>
#include <cstdlib>
#include <limits>

#include <locale.h>

namespace kt {

namespace {

template <typename Int> Int roundHalfEven(double value) {
    const double rounded = std::nearbyint(value); // the default rounding mode is half to even
    if (!(rounded >= static_cast<double>(std::numeric_limits<Int>::min()) &&
          rounded <= static_cast<double>(std::numeric_limits<Int>::max())))
        throw RuntimeError();
    return static_cast<Int>(rounded);
}

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

// Digits with at most one decimal point, rounded to the nearest double (ties to even): infinity
// when too large, zero or a subnormal when too small. strtod reads the decimal point of the
// thread's locale, which the toolkit sets from the user's environment, so it runs under the C
// locale here. Every C library the program is built with rounds correctly, so the result is the
// same on all of them (floating-point from_chars is missing from some C++ libraries).
double decimalValue(const std::string& digits) {
    static const locale_t cLocale = newlocale(LC_NUMERIC_MASK, "C", locale_t{});
    const locale_t previous = uselocale(cLocale);
    const double value = std::strtod(digits.c_str(), nullptr);
    uselocale(previous);
    return value;
}

} // namespace

std::int16_t addInt16(std::int16_t a, std::int16_t b) {
    const int sum = int{a} + int{b};
    if (sum > std::numeric_limits<std::int16_t>::max() ||
        sum < std::numeric_limits<std::int16_t>::min())
        throw RuntimeError();
    return static_cast<std::int16_t>(sum);
}

std::int16_t roundToInt16(double value) {
    return roundHalfEven<std::int16_t>(value);
}

std::int32_t roundToInt32(double value) {
    return roundHalfEven<std::int32_t>(value);
}

std::string signedNumberText(std::int64_t value) {
    std::string text(1, value < 0 ? '-' : ' ');
    // Work on the magnitude as unsigned so that the most negative value has one too.
    std::uint64_t magnitude =
        value < 0 ? ~static_cast<std::uint64_t>(value) + 1 : static_cast<std::uint64_t>(value);
    std::string digits;
    do {
        digits.insert(digits.begin(), static_cast<char>('0' + magnitude % 10));
        magnitude /= 10;
    } while (magnitude != 0);
    return text + digits;
}

double numericPrefixParse(std::string_view text) {
    std::size_t i = 0;
    while (i < text.size() && text[i] == ' ')
        ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
        negative = text[i] == '-';
        ++i;
    }
    // Digits are gathered as text and converted once, so that long numbers round correctly.
    std::string number;
    while (i < text.size() && isDigit(text[i]))
        number += text[i++];
    if (i < text.size() && text[i] == '.') {
        std::string fraction;
        ++i;
        while (i < text.size() && isDigit(text[i]))
            fraction += text[i++];
        if (!fraction.empty()) {
            number += '.';
            number += fraction;
        }
    }
    if (number.empty())
        return 0.0;
    const double magnitude = decimalValue(number);
    return negative ? -magnitude : magnitude;
}

} // namespace kt
