#pragma once

// The records from which every window and control is built. Positions and sizes are in
// twips (15 to a logical pixel), measured from the top-left corner of the client area.

#include "assets/picture_id.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string_view>

namespace kt {

enum class ControlKind { PictureBox, Label, CommandButton, OptionButton };

// The controls of the program's windows, as the code names them. A window has each at most once.
enum class ControlId : std::uint8_t {
    Picture1,
    Picture2,
    Option1,
    Option2,
    Option3,
    Command1,
    Label1,
    Label2
};
inline constexpr std::size_t kControlIdCount = 8;

// A control's name, given by its identity.
constexpr std::string_view controlName(ControlId id) {
    constexpr std::string_view names[kControlIdCount] = {
        "Picture1", "Picture2", "Option1", "Option2", "Option3", "Command1", "Label1", "Label2"};
    return names[static_cast<std::size_t>(id)];
}

enum class PictureBorder : std::uint8_t { Sunken, Flat };

enum class TextAlignment : std::uint8_t { Left = 0, Right = 1, Centre = 2 };

// A colour value: with the top bit clear it is red in the lowest byte, then green, then blue;
// with the top bit set, the low bits index the system colour table.
struct Colour {
    std::uint32_t value = 0;

    constexpr bool isSystem() const { return (value & 0x80000000u) != 0; }
    constexpr std::uint32_t systemIndex() const { return value & 0x00FFFFFFu; }
    constexpr int red() const { return static_cast<int>(value & 0xFFu); }
    constexpr int green() const { return static_cast<int>((value >> 8) & 0xFFu); }
    constexpr int blue() const { return static_cast<int>((value >> 16) & 0xFFu); }
    friend constexpr bool operator==(Colour, Colour) = default;
};

inline constexpr Colour kBlack{0x00000000u};
inline constexpr Colour kWindowText{0x80000008u}; // system colour 8
inline constexpr Colour kButtonText{0x80000012u}; // system colour 18

struct FontDescription {
    std::string_view Name;
    double Size = 0; // points; the descriptions only use values exact in binary
    std::int16_t Weight = 400;
    bool Italic = false;
    bool Underline = false;
    bool Strikethrough = false;
    // Every face is used in its Cyrillic character set (204), which the built-in fonts cover.

    friend constexpr bool operator==(const FontDescription&, const FontDescription&) = default;
};

inline constexpr FontDescription kCaptionFont{"Times New Roman", 14.25, 400, false, false, false};
inline constexpr FontDescription kMarkFont{"Times New Roman", 20.25, 700, false, false, false};

struct Rect {
    int Left = 0;
    int Top = 0;
    int Width = 0;
    int Height = 0;

    constexpr int right() const { return Left + Width; }
    constexpr int bottom() const { return Top + Height; }
    friend constexpr bool operator==(Rect, Rect) = default;
};

struct ControlDescription {
    ControlId id = ControlId::Label1;
    ControlKind kind = ControlKind::Label;
    Rect rect;
    int TabIndex = 0;
    std::string_view Caption;              // UTF-8; empty when none is stored
    const FontDescription* Font = nullptr; // nullptr: the platform's user-interface font
    Colour ForeColor = kButtonText;
    TextAlignment Alignment = TextAlignment::Left;
    PictureId Picture = PictureId::None;
    // Picture boxes have a sunken border two pixels wide. The statement boxes store one more
    // setting (value 0), which we read as a flat border one pixel wide: the box stays in the tab
    // order, so that the keyboard, and a screen reader with it, reaches the question's text.
    PictureBorder border = PictureBorder::Sunken;
    // What assistive technology reads for the control, UTF-8; empty: the toolkit's own (the
    // caption). Pictures and the buttons in front of them carry their words here.
    std::string_view accessibleName;
    std::string_view accessibleDescription;
};

inline constexpr std::size_t kMaxControls = 7;

// Where a window is placed when it is first shown; the program's windows are all centred on the
// screen.
enum class StartPosition : std::uint8_t { Manual, CentreOwner, CentreScreen, Default };

struct WindowDescription {
    std::string_view Name;
    std::string_view Caption;
    int ClientWidth = 0;
    int ClientHeight = 0;
    StartPosition StartUpPosition = StartPosition::CentreScreen;
    std::string_view accessibleName; // what assistive technology calls the window, UTF-8
    // The control whose words describe the window when it appears, as a dialog's description is
    // read as it opens: its description, or else its name as last written (a mark).
    std::optional<ControlId> describedBy;
    std::array<ControlDescription, kMaxControls> controlSlots{};
    std::size_t controlCount = 0;

    constexpr std::span<const ControlDescription> controls() const {
        return {controlSlots.data(), controlCount};
    }
    constexpr const ControlDescription* control(ControlId id) const {
        for (const auto& c : controls())
            if (c.id == id)
                return &c;
        return nullptr;
    }
};

} // namespace kt
