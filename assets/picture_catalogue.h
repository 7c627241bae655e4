#pragma once

// The pictures and the icon built into the program.

#include "assets/picture_id.h"
#include "assets/picture_record.h"

#include <cstddef>
#include <span>

namespace kt {

// The built-in picture record of `id`; empty for PictureId::None.
std::span<const std::byte> pictureRecord(PictureId id);

// Reads the built-in record of `id`. An error's describe() starts with the picture's name.
Result<Picture> loadPicture(PictureId id);

// The program's icon as an ICO file.
std::span<const std::byte> iconFile();

} // namespace kt
