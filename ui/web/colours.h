#pragma once

#include <string_view>

namespace kt::web {

// The colours of the desktop's default palette, which the picture boxes paint with.
inline constexpr std::string_view kFace = "#efefef";
inline constexpr std::string_view kFrameDark = "#a0a0a0";
inline constexpr std::string_view kFrameLight = "#ffffff";
inline constexpr std::string_view kFrameShadow = "#696969";
inline constexpr std::string_view kFrameMidlight = "#e3e3e3";
inline constexpr std::string_view kFrameLine = "#000000";

} // namespace kt::web
