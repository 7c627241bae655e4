#pragma once

#include <cstddef>
#include <string_view>

namespace kt {

// The sixteen pictures, named after the window and the box that shows them.
enum class PictureId {
    None = -1,
    Form1_Picture1,
    Form1_Picture2,
    Form2_Picture1,
    Form2_Picture2,
    Form3_Picture1,
    Form3_Picture2,
    Form4_Picture1,
    Form5_Picture1,
    Form5_Picture2,
    Form6_Picture1,
    Form6_Picture2,
    Form7_Picture1,
    Form7_Picture2,
    Form8_Picture1,
    Form9_Picture1,
    Form10_Picture1,
};

inline constexpr std::size_t kPictureCount = 16;

inline constexpr std::string_view kPictureNames[kPictureCount] = {
    "Form1.Picture1", "Form1.Picture2", "Form2.Picture1", "Form2.Picture2",
    "Form3.Picture1", "Form3.Picture2", "Form4.Picture1", "Form5.Picture1",
    "Form5.Picture2", "Form6.Picture1", "Form6.Picture2", "Form7.Picture1",
    "Form7.Picture2", "Form8.Picture1", "Form9.Picture1", "Form10.Picture1",
};

constexpr std::string_view pictureName(PictureId id) {
    return id == PictureId::None ? std::string_view{"(none)"}
                                 : kPictureNames[static_cast<std::size_t>(id)];
}

} // namespace kt
