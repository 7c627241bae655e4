#include "tools/picture_generator/emf_writer.h"

#include "assets/metafile.h"
#include "tools/picture_generator/byte_writer.h"

#include <cassert>

namespace kt::pictures {

namespace {

// The reference device: an A4-sized page at 600 dots per inch.
constexpr std::int32_t kDevicePixelsX = 4756, kDevicePixelsY = 6810;
constexpr std::int32_t kDeviceMillimetresX = 201, kDeviceMillimetresY = 288;
constexpr std::int32_t kDeviceMicrometresX = 201364, kDeviceMicrometresY = 288364;
constexpr std::uint32_t kEmfVersion = 0x00010000;

// Drawing units to 0.01 mm, for the informational scale fields of a text record.
constexpr float kUnitsToHundredthsMm = 2540.0f / 600.0f;

constexpr std::uint8_t kOutTrueTypePrecision = 4;
constexpr std::uint8_t kClipEmbedded = 64;
constexpr std::uint32_t kFontRecordSize = 368;
// Record head, object number, LOGFONT, full name, style and script, design vector without axes.
static_assert(8 + 4 + 92 + 128 + 64 + 64 + 8 == kFontRecordSize);
constexpr std::uint32_t kDesignVectorSignature = 0x08007664;

constexpr std::uint32_t kEmfPlusGraphicsVersion1_1 = 0xDBC01002;
constexpr std::uint32_t kEmfPlusDpi = 600;

enum EmfPlusType : std::uint16_t {
    EmfPlusHeader = 0x4001,
    EmfPlusEndOfFile = 0x4002,
    EmfPlusGetDC = 0x4004,
    EmfPlusSetAntiAliasMode = 0x401E,
    EmfPlusSetInterpolationMode = 0x4021,
    EmfPlusSetPixelOffsetMode = 0x4022,
    EmfPlusSetCompositingQuality = 0x4024,
    EmfPlusSetWorldTransform = 0x402A,
    EmfPlusSetPageTransform = 0x4030,
};

class EmfBuilder {
public:
    std::size_t records() const { return m_records; }
    std::size_t size() const { return m_out.size(); }
    ByteWriter& out() { return m_out; }

    // Starts a record whose size is patched in by end().
    void begin(EmfRecordType type) {
        m_start = m_out.size();
        m_out.u32(static_cast<std::uint32_t>(type));
        m_out.u32(0);
    }
    void end() {
        m_out.padTo4();
        m_out.patchU32(m_start + 4, static_cast<std::uint32_t>(m_out.size() - m_start));
        ++m_records;
    }

    void simple(EmfRecordType type, std::uint32_t value) {
        begin(type);
        m_out.u32(value);
        end();
    }
    void point(EmfRecordType type, std::int32_t x, std::int32_t y) {
        begin(type);
        m_out.i32(x);
        m_out.i32(y);
        end();
    }

private:
    ByteWriter m_out;
    std::size_t m_start = 0;
    std::size_t m_records = 0;
};

void rect(ByteWriter& out, const EmfRect& r) {
    out.i32(r.left);
    out.i32(r.top);
    out.i32(r.right);
    out.i32(r.bottom);
}

void utf16(ByteWriter& out, const std::u16string& s) {
    for (char16_t c : s)
        out.u16(c);
}

// One EMF+ record without data beyond its 12-byte header.
void plusRecord(ByteWriter& out, std::uint16_t type, std::uint16_t flags) {
    out.u16(type);
    out.u16(flags);
    out.u32(12);
    out.u32(0);
}

// EMR_GDICOMMENT carrying EMF+ records that draw nothing; writeRecords adds them.
template <typename F> void emfPlusComment(EmfBuilder& emf, F writeRecords) {
    emf.begin(EmfRecordType::GdiComment);
    const std::size_t dataSizeAt = emf.size();
    emf.out().u32(0);
    emf.out().u32(kEmfPlusIdentifier);
    writeRecords(emf.out());
    emf.out().patchU32(dataSizeAt, static_cast<std::uint32_t>(emf.size() - dataSizeAt - 4));
    emf.end();
}

void fontRecord(EmfBuilder& emf, std::uint32_t index, const EmfFont& font) {
    assert(font.faceName.size() < kEmfFaceNameUnits);
    emf.begin(EmfRecordType::ExtCreateFontIndirectW);
    ByteWriter& out = emf.out();
    out.u32(index);
    out.i32(-kEmfFontHeight); // negative: the character height, without internal leading
    out.i32(0);               // width from the aspect ratio
    out.i32(0);               // escapement
    out.i32(0);               // orientation
    out.i32(font.weight);
    out.u8(font.italic ? 1 : 0);
    out.u8(0); // underline
    out.u8(0); // strike-out
    out.u8(kEmfCyrillicCharset);
    out.u8(kOutTrueTypePrecision);
    out.u8(kClipEmbedded);
    out.u8(0); // default quality
    out.u8(font.pitchAndFamily);
    utf16(out, font.faceName);
    out.zeros(2 * (kEmfFaceNameUnits - font.faceName.size()));
    out.zeros(128 + 64 + 64); // full name, style and script left empty
    out.u32(kDesignVectorSignature);
    out.u32(0); // no axes
    emf.end();
}

void textRecord(EmfBuilder& emf, const EmfTextRun& run, std::int32_t width, std::int32_t height) {
    assert(run.text.size() == run.advances.size());
    const auto chars = static_cast<std::uint32_t>(run.text.size());
    constexpr std::uint32_t stringOffset = kEmfTextFixedSize; // the string follows the fixed part
    const std::uint32_t advancesOffset = stringOffset + (2 * chars + 3) / 4 * 4;

    emf.begin(EmfRecordType::ExtTextOutW);
    ByteWriter& out = emf.out();
    rect(out, {0, 0, -1, -1}); // bounds: ignored by readers
    out.u32(kGmCompatible);
    out.f32(kUnitsToHundredthsMm);
    out.f32(kUnitsToHundredthsMm);
    out.i32(run.x);
    out.i32(run.y);
    out.u32(chars);
    out.u32(stringOffset);
    out.u32(kEtoClipped);
    rect(out, {0, 0, width, height});
    out.u32(advancesOffset);
    utf16(out, run.text);
    out.padTo4();
    for (std::int32_t advance : run.advances)
        out.i32(advance);
    emf.end();
}

// Where the header's counts lie; they are known only when the file is complete.
struct HeaderCounts {
    std::size_t bytesAt = 0;   // file size, then record count
    std::size_t handlesAt = 0; // handle count (16 bits) and a reserved 16 bits
};

// EMR_HEADER in its 108-byte form, with the counts left 0.
HeaderCounts headerRecord(EmfBuilder& emf, const EmfTextPicture& picture) {
    emf.begin(EmfRecordType::Header);
    ByteWriter& out = emf.out();
    rect(out, picture.bounds);
    rect(out, picture.frame);
    out.u32(kEmfSignature);
    out.u32(kEmfVersion);
    HeaderCounts counts;
    counts.bytesAt = emf.size();
    out.u32(0); // file size
    out.u32(0); // record count
    counts.handlesAt = emf.size();
    out.u32(0); // handle count and reserved
    out.u32(0); // no description
    out.u32(0);
    out.u32(0); // no palette
    out.i32(kDevicePixelsX);
    out.i32(kDevicePixelsY);
    out.i32(kDeviceMillimetresX);
    out.i32(kDeviceMillimetresY);
    out.u32(0); // no pixel format
    out.u32(0);
    out.u32(0); // no OpenGL records
    out.i32(kDeviceMicrometresX);
    out.i32(kDeviceMicrometresY);
    emf.end();
    assert(emf.size() == kEmfHeaderExtension2Size);
    return counts;
}

// The EMF+ records that open the file: a header marking it dual, and settings that draw nothing.
void emfPlusOpening(EmfBuilder& emf) {
    emfPlusComment(emf, [](ByteWriter& plus) {
        plus.u16(EmfPlusHeader);
        plus.u16(1); // dual: the plain records alone draw the picture
        plus.u32(28);
        plus.u32(16);
        plus.u32(kEmfPlusGraphicsVersion1_1);
        plus.u32(0); // recorded against a printer-like reference, not a display
        plus.u32(kEmfPlusDpi);
        plus.u32(kEmfPlusDpi);
    });
    emfPlusComment(emf, [](ByteWriter& plus) {
        plusRecord(plus, EmfPlusSetPixelOffsetMode, 4);    // half
        plusRecord(plus, EmfPlusSetAntiAliasMode, 9);      // on, 8x4
        plusRecord(plus, EmfPlusSetCompositingQuality, 1); // default
        plus.u16(EmfPlusSetPageTransform);
        plus.u16(2); // unit: pixel
        plus.u32(16);
        plus.u32(4);
        plus.f32(1.0f);
        plusRecord(plus, EmfPlusSetInterpolationMode, 7); // high-quality bicubic
        plusRecord(plus, EmfPlusGetDC, 0);
    });
}

// The EMF+ records that close the file: the identity world transform and the end of file.
void emfPlusClosing(EmfBuilder& emf) {
    emfPlusComment(emf, [](ByteWriter& plus) {
        plus.u16(EmfPlusSetWorldTransform);
        plus.u16(0);
        plus.u32(36);
        plus.u32(24);
        for (float m : {1.0f, 0.0f, 0.0f, 1.0f, 0.0f, 0.0f}) // identity
            plus.f32(m);
    });
    emfPlusComment(emf, [](ByteWriter& plus) { plusRecord(plus, EmfPlusEndOfFile, 0); });
}

// Text alignment, the drawing space and the stock font, before the first run.
void drawingSpace(EmfBuilder& emf, const EmfTextPicture& picture) {
    emf.simple(EmfRecordType::SetTextAlign, kTaBaseline);
    emf.point(EmfRecordType::SetWindowOrgEx, 0, 0);
    emf.point(EmfRecordType::SetWindowExtEx, picture.width, picture.height);
    emf.simple(EmfRecordType::SelectObject, kDeviceDefaultFont);
}

// The runs, each preceded where its font changes by the background mode, the font's creation
// on first use and its selection, and the first by the text colour. Returns how many fonts
// were created; they are objects 1 onwards.
std::size_t textRuns(EmfBuilder& emf, const EmfTextPicture& picture) {
    std::vector<EmfFont> created;
    const EmfFont* current = nullptr;
    bool colourSet = false;
    for (const EmfTextRun& run : picture.runs) {
        if (current == nullptr || !(*current == run.font)) {
            emf.simple(EmfRecordType::SetBkMode, kBkTransparent);
            std::size_t index = 0;
            while (index < created.size() && !(created[index] == run.font))
                ++index;
            if (index == created.size()) {
                created.push_back(run.font);
                fontRecord(emf, static_cast<std::uint32_t>(index + 1), run.font);
            }
            emf.simple(EmfRecordType::SelectObject, static_cast<std::uint32_t>(index + 1));
            current = &run.font;
        }
        if (!colourSet) {
            emf.simple(EmfRecordType::SetTextColor, 0x00000000); // black
            colourSet = true;
        }
        textRecord(emf, run, picture.width, picture.height);
    }
    return created.size();
}

void eofRecord(EmfBuilder& emf) {
    emf.begin(EmfRecordType::Eof);
    emf.out().u32(0);  // no palette entries
    emf.out().u32(16); // where they would start
    emf.out().u32(20); // this record's size, the file's last word
    emf.end();
}

} // namespace

std::vector<std::byte> writeEmf(const EmfTextPicture& picture) {
    EmfBuilder emf;
    const HeaderCounts counts = headerRecord(emf, picture);
    emfPlusOpening(emf);
    drawingSpace(emf, picture);
    const std::size_t fonts = textRuns(emf, picture);
    emf.simple(EmfRecordType::SelectObject, kDeviceDefaultFont);
    emfPlusClosing(emf);
    eofRecord(emf);

    ByteWriter& out = emf.out();
    out.patchU32(counts.bytesAt, static_cast<std::uint32_t>(emf.size()));
    out.patchU32(counts.bytesAt + 4, static_cast<std::uint32_t>(emf.records()));
    out.patchU32(counts.handlesAt, static_cast<std::uint32_t>(fonts + 1)); // object 0 is reserved
    return out.take();
}

} // namespace kt::pictures
