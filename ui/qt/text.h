#pragma once

#include <QString>

#include <string_view>

namespace kt::qt {

// The descriptions and the program hold their words as UTF-8.
inline QString toQString(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

} // namespace kt::qt
