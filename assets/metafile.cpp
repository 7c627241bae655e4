#include "assets/metafile.h"

#include "assets/byte_cursor.h"
#include "assets/unicode.h"

#include <algorithm>
#include <iterator>
#include <string_view>

namespace kt {

bool EmfSelectObject::isStockFont() const {
    if (!isStock())
        return false;
    switch (stockIndex()) {
    case 10: // OEM_FIXED_FONT
    case 11: // ANSI_FIXED_FONT
    case 12: // ANSI_VAR_FONT
    case 13: // SYSTEM_FONT
    case 14: // DEVICE_DEFAULT_FONT
    case 16: // SYSTEM_FIXED_FONT
    case 17: // DEFAULT_GUI_FONT
        return true;
    default:
        return false;
    }
}

namespace {

// Every record starts with its type and its size in bytes, the size counting these 8.
constexpr std::size_t kRecordHeadSize = 8;

// The smallest size each record type can have while holding the fields we read.
struct RecordKind {
    EmfRecordType type;
    std::uint32_t minSize;
};
constexpr RecordKind kRecordKinds[] = {
    {EmfRecordType::Header, kEmfHeaderBaseSize}, // the oldest form, without its extensions
    {EmfRecordType::SetWindowExtEx, 16},
    {EmfRecordType::SetWindowOrgEx, 16},
    {EmfRecordType::Eof, 20},
    {EmfRecordType::SetBkMode, 12},
    {EmfRecordType::SetTextAlign, 12},
    {EmfRecordType::SetTextColor, 12},
    {EmfRecordType::IntersectClipRect, 24},
    {EmfRecordType::SaveDc, 8},
    {EmfRecordType::RestoreDc, 12},
    {EmfRecordType::SelectObject, 12},
    {EmfRecordType::GdiComment, 12},
    {EmfRecordType::ExtCreateFontIndirectW, 104}, // a bare LOGFONTW; the longer forms extend it
    {EmfRecordType::ExtTextOutW, kEmfTextFixedSizeNoRect},
};

const RecordKind* findKind(std::uint32_t type) {
    for (const auto& kind : kRecordKinds)
        if (static_cast<std::uint32_t>(kind.type) == type)
            return &kind;
    return nullptr;
}

constexpr std::uint32_t kLastStockObject = 19;
constexpr std::uint32_t kNoStockObject = 9; // a gap in the numbering

// The state a SAVEDC keeps that the reader must follow to vouch for the player.
struct ShadowState {
    bool extentSet = false;
};

EmfRect readRect(ByteCursor& in) {
    EmfRect r;
    r.left = in.i32();
    r.top = in.i32();
    r.right = in.i32();
    r.bottom = in.i32();
    return r;
}

EmfSize readSize(ByteCursor& in) {
    EmfSize s;
    s.cx = in.i32();
    s.cy = in.i32();
    return s;
}

EmfPoint readPoint(ByteCursor& in) {
    EmfPoint p;
    p.x = in.i32();
    p.y = in.i32();
    return p;
}

class EmfReader {
public:
    explicit EmfReader(std::span<const std::byte> file) : m_file(file) {}

    Result<Metafile> read();

private:
    // Each returns the error of the record at `m_at`, if it has one.
    std::optional<ReadError> readRecord(std::uint32_t type, ByteCursor& in, std::uint32_t size);
    std::optional<ReadError> readHeader(ByteCursor& in, std::uint32_t size);
    std::optional<ReadError> readFont(ByteCursor& in);
    std::optional<ReadError> readSelect(ByteCursor& in);
    std::optional<ReadError> readText(ByteCursor& in, std::uint32_t size);
    std::optional<ReadError> readRestore(ByteCursor& in);

    ReadError fault(ReadErrorCode code, std::int64_t value = 0) const {
        return readError(code, m_at, value);
    }
    void add(EmfRecordType type, EmfRecordData data) {
        m_metafile.records.push_back(MetafileRecord{type, m_at, std::move(data)});
    }

    std::span<const std::byte> m_file;
    std::size_t m_at = 0; // start of the record being read
    Metafile m_metafile;
    std::vector<bool> m_created; // by object number
    ShadowState m_state;
    std::vector<ShadowState> m_saved;
};

Result<Metafile> EmfReader::read() {
    const std::size_t size = m_file.size();
    bool first = true;
    while (true) {
        if (m_at == size && !first)
            return readError(ReadErrorCode::EmfMissingEof, size);
        if (size - m_at < kRecordHeadSize)
            return fault(ReadErrorCode::EmfRecordHeadCut, static_cast<std::int64_t>(size - m_at));
        ByteCursor head(m_file.subspan(m_at, kRecordHeadSize), m_at);
        const std::uint32_t type = head.u32();
        const std::uint32_t recordSize = head.u32();
        if (first && type != static_cast<std::uint32_t>(EmfRecordType::Header))
            return fault(ReadErrorCode::EmfMissingHeader, type);
        if (recordSize % 4 != 0)
            return fault(ReadErrorCode::EmfSizeNotMultipleOf4, recordSize);
        if (recordSize < kRecordHeadSize)
            return fault(ReadErrorCode::EmfSizeTooSmall, recordSize);
        if (recordSize > size - m_at)
            return fault(ReadErrorCode::EmfRecordPastEnd, recordSize);
        const RecordKind* kind = findKind(type);
        if (!kind)
            return fault(ReadErrorCode::EmfUnknownRecordType, type);
        if (kind->type == EmfRecordType::Header && !first)
            return fault(ReadErrorCode::EmfSecondHeader);
        if (recordSize < kind->minSize)
            return fault(ReadErrorCode::EmfRecordTooShort, recordSize);

        ByteCursor in(m_file.subspan(m_at, recordSize), m_at);
        in.skip(kRecordHeadSize);
        if (auto error = readRecord(type, in, recordSize))
            return *error;
        // The minimum sizes above cover every fixed field, so no read can have failed.
        assert(!in.failed());
        first = false;

        m_at += recordSize;
        if (kind->type == EmfRecordType::Eof) {
            if (m_at != size)
                return readError(ReadErrorCode::EmfDataAfterEof, m_at,
                                 static_cast<std::int64_t>(size - m_at));
            return std::move(m_metafile);
        }
    }
}

std::optional<ReadError> EmfReader::readRecord(std::uint32_t type, ByteCursor& in,
                                               std::uint32_t size) {
    const auto kind = static_cast<EmfRecordType>(type);
    switch (kind) {
    case EmfRecordType::Header:
        return readHeader(in, size);
    case EmfRecordType::SetWindowExtEx: {
        const EmfSize extent = readSize(in);
        if (extent.cx <= 0)
            return fault(ReadErrorCode::EmfBadExtent, extent.cx);
        if (extent.cy <= 0)
            return fault(ReadErrorCode::EmfBadExtent, extent.cy);
        m_state.extentSet = true;
        add(kind, EmfWindowExt{extent});
        return {};
    }
    case EmfRecordType::SetWindowOrgEx:
        add(kind, EmfWindowOrg{readPoint(in)});
        return {};
    case EmfRecordType::Eof:
        // The palette fields and nSizeLast are ignored: writers disagree on what they hold
        // when there is no palette, and nothing here uses a palette.
        add(kind, EmfEof{in.u32()});
        return {};
    case EmfRecordType::SetBkMode:
        add(kind, EmfBkMode{in.u32()});
        return {};
    case EmfRecordType::SetTextAlign:
        add(kind, EmfTextAlign{in.u32()});
        return {};
    case EmfRecordType::SetTextColor:
        add(kind, EmfTextColor{in.u32()});
        return {};
    case EmfRecordType::IntersectClipRect:
        add(kind, EmfClipRect{readRect(in)});
        return {};
    case EmfRecordType::SaveDc:
        m_saved.push_back(m_state);
        add(kind, EmfSaveDc{});
        return {};
    case EmfRecordType::RestoreDc:
        return readRestore(in);
    case EmfRecordType::SelectObject:
        return readSelect(in);
    case EmfRecordType::GdiComment: {
        EmfComment comment;
        comment.dataSize = in.u32();
        if (comment.dataSize > in.remaining())
            return fault(ReadErrorCode::EmfCommentOutsideRecord, comment.dataSize);
        if (comment.dataSize >= 4)
            comment.identifier = in.u32();
        add(kind, comment);
        return {};
    }
    case EmfRecordType::ExtCreateFontIndirectW:
        return readFont(in);
    case EmfRecordType::ExtTextOutW:
        return readText(in, size);
    }
    assert(false && "findKind let through a type readRecord does not know");
    return {};
}

std::optional<ReadError> EmfReader::readHeader(ByteCursor& in, std::uint32_t size) {
    EmfHeader h;
    h.bounds = readRect(in);
    h.frame = readRect(in);
    const std::uint32_t signature = in.u32();
    if (signature != kEmfSignature)
        return fault(ReadErrorCode::EmfBadSignature, signature);
    h.version = in.u32();
    h.bytes = in.u32();
    h.records = in.u32();
    h.handles = in.u16();
    in.skip(2); // reserved
    in.skip(4); // nDescription
    const std::uint32_t offDescription = in.u32();
    in.skip(4); // nPalEntries
    h.device = readSize(in);
    h.millimeters = readSize(in);
    // The header's form is told by where its optional blobs start: a description or pixel
    // format placed before byte 108 means the micrometre field is not there.
    std::uint32_t offPixelFormat = 0;
    if (size >= kEmfHeaderExtension1Size) {
        in.skip(4); // cbPixelFormat
        offPixelFormat = in.u32();
        in.skip(4); // bOpenGL
    }
    const auto clearOf = [](std::uint32_t blob) {
        return blob == 0 || blob >= kEmfHeaderExtension2Size;
    };
    if (size >= kEmfHeaderExtension2Size && clearOf(offDescription) && clearOf(offPixelFormat))
        h.micrometers = readSize(in);

    m_created.assign(h.handles, false);
    // The header's count may lie, but records are at least 8 bytes long, so the file's size
    // bounds what this reserves.
    m_metafile.records.reserve(std::min<std::size_t>(h.records, m_file.size() / kRecordHeadSize));
    m_metafile.header = h;
    add(EmfRecordType::Header, h);
    return {};
}

std::optional<ReadError> EmfReader::readFont(ByteCursor& in) {
    EmfCreateFont f;
    f.ihFont = in.u32();
    if (f.ihFont == 0 || f.ihFont >= m_created.size())
        return fault(ReadErrorCode::EmfBadObjectNumber, f.ihFont);
    f.height = in.i32();
    f.width = in.i32();
    in.skip(8); // escapement, orientation
    f.font.weight = in.i32();
    f.font.italic = in.u8() != 0;
    in.skip(2); // underline, strike-out
    f.font.charset = in.u8();
    in.skip(4); // output precision, clip precision, quality, pitch and family
    // The name ends at its first NUL; Windows leaves whatever was in memory after it.
    std::u16string face;
    face.reserve(kEmfFaceNameUnits);
    for (std::size_t i = 0; i < kEmfFaceNameUnits; ++i) {
        const char16_t c = in.u16();
        if (c == 0)
            break;
        face += c;
    }
    f.font.face = utf8FromUtf16(face);
    m_created[f.ihFont] = true;
    add(EmfRecordType::ExtCreateFontIndirectW, std::move(f));
    return {};
}

std::optional<ReadError> EmfReader::readSelect(ByteCursor& in) {
    const EmfSelectObject select{in.u32()};
    if (select.isStock()) {
        const std::uint32_t stock = select.stockIndex();
        if (stock > kLastStockObject || stock == kNoStockObject)
            return fault(ReadErrorCode::EmfUnknownStockObject, stock);
    } else {
        if (select.ihObject == 0 || select.ihObject >= m_created.size())
            return fault(ReadErrorCode::EmfBadObjectNumber, select.ihObject);
        if (!m_created[select.ihObject])
            return fault(ReadErrorCode::EmfFontNotCreated, select.ihObject);
    }
    add(EmfRecordType::SelectObject, select);
    return {};
}

std::optional<ReadError> EmfReader::readText(ByteCursor& in, std::uint32_t size) {
    EmfText t;
    readRect(in); // bounds: not used, and writers fill it in differently
    t.graphicsMode = in.u32();
    in.skip(8); // exScale, eyScale: page-to-0.01 mm factors we do not need
    t.reference = readPoint(in);
    const std::uint32_t chars = in.u32();
    const std::uint32_t offString = in.u32();
    t.options = in.u32();
    std::size_t fixedSize = kEmfTextFixedSizeNoRect;
    if ((t.options & kEtoNoRect) == 0) {
        fixedSize = kEmfTextFixedSize;
        if (size < fixedSize)
            return fault(ReadErrorCode::EmfRecordTooShort, size);
        t.clip = readRect(in);
    }
    const std::uint32_t offDx = in.u32();
    if ((t.options & (kEtoGlyphIndex | kEtoPdy)) != 0)
        return fault(ReadErrorCode::EmfUnsupportedTextOptions, t.options);
    if (!m_state.extentSet)
        return fault(ReadErrorCode::EmfNoDrawingSpace);

    // In 64 bits, so that no count or offset from the file can wrap around.
    const auto fits = [&](std::uint64_t offset, std::uint64_t bytes) {
        return offset >= fixedSize && offset <= size && bytes <= size - offset;
    };
    if (chars > 0 && !fits(offString, 2 * std::uint64_t{chars}))
        return fault(ReadErrorCode::EmfStringOutsideRecord, chars);
    if (chars > 0 && !fits(offDx, 4 * std::uint64_t{chars}))
        return fault(ReadErrorCode::EmfDxOutsideRecord, chars);

    if (chars > 0) {
        t.text.resize(chars);
        t.dx.resize(chars);
        in.seek(offString);
        for (auto& c : t.text)
            c = in.u16();
        in.seek(offDx);
        for (auto& d : t.dx)
            d = in.i32();
    }
    add(EmfRecordType::ExtTextOutW, std::move(t));
    return {};
}

std::optional<ReadError> EmfReader::readRestore(ByteCursor& in) {
    const std::int32_t relative = in.i32();
    // Only the relative form may appear in a metafile; -1 is the state saved last.
    if (relative >= 0 || -static_cast<std::int64_t>(relative) > std::ssize(m_saved))
        return fault(ReadErrorCode::EmfBadRestore, relative);
    const std::size_t keep = m_saved.size() - static_cast<std::size_t>(-std::int64_t{relative});
    m_state = m_saved[keep];
    m_saved.resize(keep);
    add(EmfRecordType::RestoreDc, EmfRestoreDc{relative});
    return {};
}

} // namespace

Result<Metafile> readEmf(std::span<const std::byte> file) {
    return EmfReader(file).read();
}

} // namespace kt
