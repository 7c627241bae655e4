#include "assets/picture_catalogue.h"

#include "assets/picture_table.h"

#include <cassert>

namespace kt {

std::span<const std::byte> pictureRecord(PictureId id) {
    if (id == PictureId::None)
        return {};
    const auto index = static_cast<std::size_t>(id);
    assert(index < kPictureCount);
    const EmbeddedFile& file = kEmbeddedPictures[index];
    if (!file.begin)
        return {};
    return {reinterpret_cast<const std::byte*>(file.begin),
            static_cast<std::size_t>(file.end - file.begin)};
}

Result<Picture> loadPicture(PictureId id) {
    const auto record = pictureRecord(id);
    if (record.empty()) {
        ReadError missing = readError(ReadErrorCode::PictureMissing, 0);
        missing.pictureName = pictureName(id);
        return missing;
    }
    return readPictureRecord(record, pictureName(id));
}

std::span<const std::byte> iconFile() {
    if (!kEmbeddedIcon.begin)
        return {};
    return {reinterpret_cast<const std::byte*>(kEmbeddedIcon.begin),
            static_cast<std::size_t>(kEmbeddedIcon.end - kEmbeddedIcon.begin)};
}

} // namespace kt
