#include "assets/read_result.h"

#include <iterator>

namespace kt {
namespace {

constexpr std::string_view kRecord = "picture record";
constexpr std::string_view kBmp = "BMP file";
constexpr std::string_view kEmf = "EMF record";
constexpr std::string_view kEmfFile = "EMF file";

struct ErrorRow {
    ReadErrorCode code;
    ReadErrorText text;
};

// In the order of ReadErrorCode; the check below keeps the two in step.
constexpr ErrorRow kErrors[] = {
    {ReadErrorCode::RecordTooShort, {kRecord, "{} bytes are too few for its 12-byte head"}},
    {ReadErrorCode::RecordBadMarker, {kRecord, "kind marker is not \"lt\" and two zero bytes"}},
    {ReadErrorCode::RecordLengthMismatch,
     {kRecord, "record length {} is not the image length plus 8"}},
    {ReadErrorCode::RecordImagePastEnd,
     {kRecord, "image length {} runs past the end of the record"}},
    {ReadErrorCode::RecordTrailingBytes, {kRecord, "{} bytes follow the image"}},
    {ReadErrorCode::RecordUnknownFormat, {kRecord, "image is neither a BMP nor an EMF file"}},

    {ReadErrorCode::BmpHeadersCut, {kBmp, "file ends after {} bytes, inside its headers"}},
    {ReadErrorCode::BmpBadSignature, {kBmp, "does not start with \"BM\""}},
    {ReadErrorCode::BmpBadInfoHeaderSize,
     {kBmp, "information header size {} is not 40 (only the Windows 3.x form is read)"}},
    {ReadErrorCode::BmpBadWidth, {kBmp, "width {} is not between 1 and 16384"}},
    {ReadErrorCode::BmpBadHeight, {kBmp, "height {} is 0 or more than 16384 rows"}},
    {ReadErrorCode::BmpBadPlanes, {kBmp, "plane count {} is not 1"}},
    {ReadErrorCode::BmpUnsupportedBitDepth, {kBmp, "{} bits per pixel; only 24 are read"}},
    {ReadErrorCode::BmpUnsupportedCompression,
     {kBmp, "compression {}; only uncompressed pixels are read"}},
    {ReadErrorCode::BmpBadPixelOffset,
     {kBmp, "pixel data offset {} is inside the headers or past the end"}},
    {ReadErrorCode::BmpPixelsPastEnd, {kBmp, "pixel rows of {} bytes run past the end"}},
    {ReadErrorCode::BmpFileSizeMismatch, {kBmp, "file size field {} differs from the real size"}},

    {ReadErrorCode::EmfRecordHeadCut,
     {kEmf, "only {} bytes are left, too few for a type and a size"}},
    {ReadErrorCode::EmfMissingHeader, {kEmf, "first record has type {}, not EMR_HEADER (1)"}},
    {ReadErrorCode::EmfBadSignature, {kEmf, "header has no \" EMF\" signature at its byte 40"}},
    {ReadErrorCode::EmfSizeNotMultipleOf4, {kEmf, "size {} is not a multiple of 4"}},
    {ReadErrorCode::EmfSizeTooSmall, {kEmf, "size {} is less than 8"}},
    {ReadErrorCode::EmfRecordPastEnd, {kEmf, "size {} runs past the end of the file"}},
    {ReadErrorCode::EmfRecordTooShort, {kEmf, "size {} is too small for its type"}},
    {ReadErrorCode::EmfUnknownRecordType, {kEmf, "type {} is not one this program plays"}},
    {ReadErrorCode::EmfSecondHeader, {kEmf, "a second EMR_HEADER"}},
    {ReadErrorCode::EmfMissingEof, {kEmfFile, "ends without an EMR_EOF record"}},
    {ReadErrorCode::EmfDataAfterEof, {kEmfFile, "{} bytes follow the EMR_EOF record"}},
    {ReadErrorCode::EmfBadExtent, {kEmf, "window extent {} is not positive"}},
    {ReadErrorCode::EmfNoDrawingSpace, {kEmf, "text is drawn before any window extent is set"}},
    {ReadErrorCode::EmfBadObjectNumber,
     {kEmf, "object number {} is 0 or not below the header's handle count"}},
    {ReadErrorCode::EmfFontNotCreated, {kEmf, "selects object {}, which was never created"}},
    {ReadErrorCode::EmfUnknownStockObject, {kEmf, "selects unknown stock object {}"}},
    {ReadErrorCode::EmfBadRestore, {kEmf, "EMR_RESTOREDC {} names no saved state"}},
    {ReadErrorCode::EmfStringOutsideRecord,
     {kEmf, "string of {} characters lies outside the record"}},
    {ReadErrorCode::EmfDxOutsideRecord, {kEmf, "advances of {} characters lie outside the record"}},
    {ReadErrorCode::EmfUnsupportedTextOptions,
     {kEmf, "text options {} ask for glyph indices or vertical advances"}},
    {ReadErrorCode::EmfCommentOutsideRecord,
     {kEmf, "comment of {} bytes runs past the end of the record"}},
};
static_assert(std::size(kErrors) == kReadErrorCodeCount);

constexpr bool inCodeOrder() {
    for (std::size_t i = 0; i < std::size(kErrors); ++i)
        if (static_cast<std::size_t>(kErrors[i].code) != i)
            return false;
    return true;
}
static_assert(inCodeOrder());

} // namespace

ReadErrorText readErrorText(ReadErrorCode code) {
    const auto index = static_cast<std::size_t>(code);
    assert(index < std::size(kErrors));
    return kErrors[index].text;
}

std::string ReadError::message() const {
    const std::string_view text = readErrorText(code).message;
    const std::size_t hole = text.find("{}");
    if (hole == std::string_view::npos)
        return std::string(text);
    std::string out(text.substr(0, hole));
    out += std::to_string(value);
    out += text.substr(hole + 2);
    return out;
}

std::string ReadError::describe() const {
    return describe(pictureName);
}

std::string ReadError::describe(std::string_view name) const {
    std::string out;
    if (!name.empty()) {
        out += name;
        out += ": ";
    }
    out += where();
    out += " at offset ";
    out += std::to_string(offset);
    out += ": ";
    out += message();
    return out;
}

} // namespace kt
