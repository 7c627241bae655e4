#pragma once

// What the picture readers hand back: the value they read, or the first fault they met.

#include <cassert>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <utility>
#include <variant>

namespace kt {

// One code per kind of fault, so that tests and callers can tell them apart without reading
// the text. The text of each is fixed (see readErrorText).
enum class ReadErrorCode : std::uint8_t {
    // The picture record around an image.
    RecordTooShort,
    RecordBadMarker,
    RecordLengthMismatch,
    RecordImagePastEnd,
    RecordTrailingBytes,
    RecordUnknownFormat,

    // BMP files.
    BmpHeadersCut,
    BmpBadSignature,
    BmpBadInfoHeaderSize,
    BmpBadWidth,
    BmpBadHeight,
    BmpBadPlanes,
    BmpUnsupportedBitDepth,
    BmpUnsupportedCompression,
    BmpBadPixelOffset,
    BmpPixelsPastEnd,
    BmpFileSizeMismatch,

    // EMF files.
    EmfRecordHeadCut,
    EmfMissingHeader,
    EmfBadSignature,
    EmfSizeNotMultipleOf4,
    EmfSizeTooSmall,
    EmfRecordPastEnd,
    EmfRecordTooShort,
    EmfUnknownRecordType,
    EmfSecondHeader,
    EmfMissingEof,
    EmfDataAfterEof,
    EmfBadExtent,
    EmfNoDrawingSpace,
    EmfBadObjectNumber,
    EmfFontNotCreated,
    EmfUnknownStockObject,
    EmfBadRestore,
    EmfStringOutsideRecord,
    EmfDxOutsideRecord,
    EmfUnsupportedTextOptions,
    EmfCommentOutsideRecord,
};

inline constexpr std::size_t kReadErrorCodeCount =
    static_cast<std::size_t>(ReadErrorCode::EmfCommentOutsideRecord) + 1;

// The fixed wording of a fault: which structure it lies in, and what is wrong there. A "{}"
// in the message stands for the error's value.
struct ReadErrorText {
    std::string_view where;
    std::string_view message;
};

ReadErrorText readErrorText(ReadErrorCode code);

struct ReadError {
    ReadErrorCode code = ReadErrorCode::RecordTooShort;
    // Byte offset of the fault from the start of the file it lies in: the picture record for
    // the record's own fields, the image file for faults inside a BMP, EMF or ICO file. EMF
    // faults give the start of the record at fault; the message names the field.
    std::size_t offset = 0;
    // The number the message quotes (a size, a type, a count); unused by some messages.
    std::int64_t value = 0;
    // The picture the fault belongs to, when the reader was asked for a named one.
    std::string_view pictureName;

    std::string_view where() const { return readErrorText(code).where; }
    std::string message() const;
    // "Form4.Picture1: EMF record at offset 1234: size 13 is not a multiple of 4"
    std::string describe() const;
    std::string describe(std::string_view name) const;

    friend bool operator==(const ReadError&, const ReadError&) = default;
};

template <class T> class [[nodiscard]] Result {
public:
    Result(T value) : m_state(std::in_place_index<0>, std::move(value)) {}
    Result(ReadError error) : m_state(std::in_place_index<1>, error) {}

    bool ok() const { return m_state.index() == 0; }
    explicit operator bool() const { return ok(); }

    const T& value() const& {
        assert(ok());
        return *std::get_if<0>(&m_state);
    }
    T& value() & {
        assert(ok());
        return *std::get_if<0>(&m_state);
    }
    // By value, so that a value taken from a temporary result cannot dangle.
    T value() && {
        assert(ok());
        return std::move(*std::get_if<0>(&m_state));
    }
    const ReadError& error() const {
        assert(!ok());
        return *std::get_if<1>(&m_state);
    }

private:
    std::variant<T, ReadError> m_state;
};

constexpr ReadError readError(ReadErrorCode code, std::size_t offset, std::int64_t value = 0) {
    return ReadError{code, offset, value, {}};
}

} // namespace kt
