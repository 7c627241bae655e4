#pragma once

// Enhanced metafiles of the text-only kind our statement pictures use: the records are kept in
// file order with the fields that drawing them needs. Reading checks everything the player
// relies on, so playing a metafile that was read cannot fail.

#include "assets/read_result.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <variant>
#include <vector>

namespace kt {

enum class EmfRecordType : std::uint32_t {
    Header = 1,
    SetWindowExtEx = 9,
    SetWindowOrgEx = 10,
    Eof = 14,
    SetBkMode = 18,
    SetTextAlign = 22,
    SetTextColor = 24,
    IntersectClipRect = 30,
    SaveDc = 33,
    RestoreDc = 34,
    SelectObject = 37,
    GdiComment = 70,
    ExtCreateFontIndirectW = 82,
    ExtTextOutW = 84,
};

struct EmfPoint {
    std::int32_t x = 0;
    std::int32_t y = 0;
    friend bool operator==(EmfPoint, EmfPoint) = default;
};

struct EmfSize {
    std::int32_t cx = 0;
    std::int32_t cy = 0;
    friend bool operator==(EmfSize, EmfSize) = default;
};

// Both corners inclusive, as the header stores them.
struct EmfRect {
    std::int32_t left = 0;
    std::int32_t top = 0;
    std::int32_t right = 0;
    std::int32_t bottom = 0;
    friend bool operator==(EmfRect, EmfRect) = default;
};

inline constexpr std::uint32_t kEmfSignature = 0x464D4520; // " EMF"

// The header's three forms: the oldest, and that one with the first or both extensions.
inline constexpr std::uint32_t kEmfHeaderBaseSize = 88;
inline constexpr std::uint32_t kEmfHeaderExtension1Size = 100;
inline constexpr std::uint32_t kEmfHeaderExtension2Size = 108;

struct EmfHeader {
    EmfRect bounds; // reference-device pixels
    EmfRect frame;  // 0.01 mm
    std::uint32_t version = 0;
    std::uint32_t bytes = 0;   // as stored; not checked against the file
    std::uint32_t records = 0; // as stored; not checked against the file
    std::uint16_t handles = 0; // object table size: the highest object number + 1
    EmfSize device;            // pixels
    EmfSize millimeters;
    std::optional<EmfSize> micrometers; // only in the 108-byte header
};

struct EmfWindowOrg {
    EmfPoint origin;
};

struct EmfWindowExt {
    EmfSize extent; // both positive
};

inline constexpr std::uint32_t kTaBaseline = 24;

struct EmfTextAlign {
    std::uint32_t mode = 0;
};

inline constexpr std::uint32_t kBkTransparent = 1;

struct EmfBkMode {
    std::uint32_t mode = 0; // kBkTransparent, or 2: opaque
};

struct EmfTextColor {
    std::uint32_t colorRef = 0; // 0x00BBGGRR
};

struct MetafileFont {
    std::string face; // UTF-8
    int weight = 0;
    bool italic = false;
    int charset = 0;
    friend bool operator==(const MetafileFont&, const MetafileFont&) = default;
};

// A LOGFONTW's face name, NUL-padded UTF-16.
inline constexpr std::uint32_t kEmfFaceNameUnits = 32;

struct EmfCreateFont {
    std::uint32_t ihFont = 0; // 1 .. handles - 1
    std::int32_t height = 0;  // logical units; negative: character height, positive: cell
    std::int32_t width = 0;
    MetafileFont font;
};

inline constexpr std::uint32_t kStockObjectFlag = 0x80000000;
inline constexpr std::uint32_t kDeviceDefaultFont = kStockObjectFlag | 14;

struct EmfSelectObject {
    std::uint32_t ihObject = 0; // an object number, or kStockObjectFlag | stock index

    bool isStock() const { return (ihObject & kStockObjectFlag) != 0; }
    std::uint32_t stockIndex() const { return ihObject & ~kStockObjectFlag; }
    bool isStockFont() const;
};

inline constexpr std::uint32_t kEtoClipped = 0x0004;
inline constexpr std::uint32_t kEtoGlyphIndex = 0x0010;
inline constexpr std::uint32_t kEtoNoRect = 0x0100;
inline constexpr std::uint32_t kEtoPdy = 0x2000;

inline constexpr std::uint32_t kGmCompatible = 1;

// EXTTEXTOUTW: the fixed part ends after offDx, which sits after the clip rectangle when
// there is one.
inline constexpr std::uint32_t kEmfTextFixedSize = 76;
inline constexpr std::uint32_t kEmfTextFixedSizeNoRect = 60;

struct EmfText {
    EmfPoint reference; // where the run starts, placed by the current text alignment
    std::uint32_t options = 0;
    std::optional<EmfRect> clip;    // absent with kEtoNoRect
    std::uint32_t graphicsMode = 0; // kGmCompatible, or 2: advanced
    std::u16string text;
    std::vector<std::int32_t> dx; // one advance per character, logical units
};

struct EmfSaveDc {};

struct EmfRestoreDc {
    std::int32_t relative = 0; // -1: the state saved last
};

struct EmfClipRect {
    EmfRect rect; // right and bottom edges excluded
};

inline constexpr std::uint32_t kEmfPlusIdentifier = 0x2B464D45; // "EMF+"

struct EmfComment {
    std::uint32_t dataSize = 0;
    std::uint32_t identifier = 0; // kEmfPlusIdentifier for the EMF+ carriers; 0 if no data
};

struct EmfEof {
    std::uint32_t palEntries = 0;
};

using EmfRecordData = std::variant<EmfHeader, EmfWindowOrg, EmfWindowExt, EmfTextAlign, EmfBkMode,
                                   EmfTextColor, EmfCreateFont, EmfSelectObject, EmfText, EmfSaveDc,
                                   EmfRestoreDc, EmfClipRect, EmfComment, EmfEof>;

struct MetafileRecord {
    EmfRecordType type = EmfRecordType::Eof;
    std::size_t offset = 0; // in the file
    EmfRecordData data;
};

struct Metafile {
    EmfHeader header; // also the first record
    std::vector<MetafileRecord> records;
};

Result<Metafile> readEmf(std::span<const std::byte> file);

} // namespace kt
