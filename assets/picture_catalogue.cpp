#include "assets/picture_catalogue.h"

#include "assets/picture_table.h"

#include <cassert>

namespace kt {

namespace {

std::span<const std::byte> bytesOf(const EmbeddedFile& file) {
    return {reinterpret_cast<const std::byte*>(file.begin),
            static_cast<std::size_t>(file.end - file.begin)};
}

} // namespace

std::span<const std::byte> pictureRecord(PictureId id) {
    if (id == PictureId::None)
        return {};
    const auto index = static_cast<std::size_t>(id);
    assert(index < kPictureCount);
    return bytesOf(kEmbeddedPictures[index]);
}

Result<Picture> loadPicture(PictureId id) {
    return readPictureRecord(pictureRecord(id), pictureName(id));
}

std::span<const std::byte> iconFile() {
    return bytesOf(kEmbeddedIcon);
}

} // namespace kt
