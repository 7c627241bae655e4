#include "assets/picture_record.h"

#include "assets/byte_cursor.h"

#include <algorithm>

namespace kt {
namespace {

constexpr std::size_t kMarkerField = 4;
constexpr std::size_t kImageLengthField = 8;
// The record length counts the marker and the image length besides the image.
constexpr std::uint32_t kRecordLengthExtra = 8;

constexpr std::size_t kEmfSignatureField = 40;

template <class T> Result<Picture> asPicture(Result<T> read) {
    if (!read)
        return read.error();
    return Picture(std::move(read).value());
}

} // namespace

ImageFormat imageFormat(std::span<const std::byte> image) {
    ByteCursor in(image);
    if (in.u8() == 'B' && in.u8() == 'M')
        return ImageFormat::Bmp;
    ByteCursor emf(image);
    const std::uint32_t type = emf.u32();
    emf.seek(kEmfSignatureField);
    if (type == static_cast<std::uint32_t>(EmfRecordType::Header) && emf.u32() == kEmfSignature)
        return ImageFormat::Emf;
    return ImageFormat::Unknown;
}

Result<Picture> readPictureRecord(std::span<const std::byte> record) {
    ByteCursor in(record);
    PictureRecordHead head;
    head.recordLength = in.u32();
    const auto marker = in.bytes(kPictureRecordMarker.size());
    head.imageLength = in.u32();
    if (in.failed())
        return readError(ReadErrorCode::RecordTooShort, record.size(),
                         static_cast<std::int64_t>(record.size()));
    std::copy(marker.begin(), marker.end(), head.marker.begin());
    if (head.marker != kPictureRecordMarker)
        return readError(ReadErrorCode::RecordBadMarker, kMarkerField);
    if (std::uint64_t{head.recordLength} != std::uint64_t{head.imageLength} + kRecordLengthExtra)
        return readError(ReadErrorCode::RecordLengthMismatch, 0, head.recordLength);
    if (head.imageLength > in.remaining())
        return readError(ReadErrorCode::RecordImagePastEnd, kImageLengthField, head.imageLength);
    if (head.imageLength < in.remaining())
        return readError(ReadErrorCode::RecordTrailingBytes,
                         kPictureRecordHeadSize + head.imageLength,
                         static_cast<std::int64_t>(in.remaining() - head.imageLength));

    const auto image = in.bytes(head.imageLength);
    switch (imageFormat(image)) {
    case ImageFormat::Bmp:
        return asPicture(readBmp(image));
    case ImageFormat::Emf:
        return asPicture(readEmf(image));
    case ImageFormat::Unknown:
        break;
    }
    return readError(ReadErrorCode::RecordUnknownFormat, kPictureRecordHeadSize);
}

Result<Picture> readPictureRecord(std::span<const std::byte> record, std::string_view name) {
    auto picture = readPictureRecord(record);
    if (picture)
        return picture;
    ReadError error = picture.error();
    error.pictureName = name;
    return error;
}

} // namespace kt
