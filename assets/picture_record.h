#pragma once

// The picture record: how a picture box's picture is stored. Record length (the bytes after
// that field, always the image length plus 8), the marker "lt" and two zero bytes, the image
// length, and then a whole BMP or EMF file.

#include "assets/bitmap.h"
#include "assets/metafile.h"
#include "assets/read_result.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <variant>

namespace kt {

using Picture = std::variant<Bitmap, Metafile>;

struct PictureRecordHead {
    std::uint32_t recordLength = 0;
    std::array<std::byte, 4> marker{};
    std::uint32_t imageLength = 0;
};
inline constexpr std::size_t kPictureRecordHeadSize = 12;
inline constexpr std::array<std::byte, 4> kPictureRecordMarker{std::byte{0x6C}, std::byte{0x74},
                                                               std::byte{0}, std::byte{0}};

enum class ImageFormat { Unknown, Bmp, Emf };

// Told by the first bytes: "BM", or a 1 at offset 0 with " EMF" at offset 40.
ImageFormat imageFormat(std::span<const std::byte> image);

// `record` must be exactly one record. Offsets in errors about the record's own fields count
// from the record's start; those inside the image count from the image's start.
Result<Picture> readPictureRecord(std::span<const std::byte> record);

// The same, with the picture's name in the error, so that describe() reads
// "Form4.Picture1: EMF record at offset 1234: ...". The error keeps a view of `name`, which
// must therefore outlive it.
Result<Picture> readPictureRecord(std::span<const std::byte> record, std::string_view name);

} // namespace kt
