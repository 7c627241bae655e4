#include "assets/metafile.h"

#include "assets/damaged_input.h"
#include "assets/test_files.h"

#include <gtest/gtest.h>

#include <functional>

namespace kt::test {
namespace {

// The smallest file that draws: header, window extent, a bold italic font with junk after its
// face name's end, its selection, one run of two characters, end of file.
std::vector<std::byte> smallestFile() {
    EmfWriter w(2);
    w.bytes().setU32(8, 10);  // bounds: left
    w.bytes().setU32(12, 20); // top
    w.windowExt(3898, 351);
    w.font(1, -100, 700, true, u"Arial", u"junk");
    w.select(1);
    w.text(100, 250, u"Ж!", {77, 33});
    return w.finish();
}

TEST(ReadEmf, KeepsRecordsInFileOrderWithTheirFields) {
    const auto read = readEmf(smallestFile());
    ASSERT_TRUE(read.ok()) << read.error().describe();
    const Metafile& m = read.value();

    EXPECT_EQ(m.header.bounds, (EmfRect{10, 20, 3897, 350}));
    EXPECT_EQ(m.header.frame, (EmfRect{0, 0, 16500, 1486}));
    EXPECT_EQ(m.header.version, 0x00010000u);
    EXPECT_EQ(m.header.bytes, 612u);
    EXPECT_EQ(m.header.records, 6u);
    EXPECT_EQ(m.header.handles, 2u);
    EXPECT_EQ(m.header.device, (EmfSize{4756, 6810}));
    EXPECT_EQ(m.header.millimeters, (EmfSize{201, 288}));
    EXPECT_EQ(m.header.micrometers, (EmfSize{201364, 288364}));

    ASSERT_EQ(m.records.size(), 6u);
    const EmfRecordType types[] = {EmfRecordType::Header,
                                   EmfRecordType::SetWindowExtEx,
                                   EmfRecordType::ExtCreateFontIndirectW,
                                   EmfRecordType::SelectObject,
                                   EmfRecordType::ExtTextOutW,
                                   EmfRecordType::Eof};
    const std::size_t offsets[] = {0, 108, 124, 492, 504, 592};
    for (std::size_t i = 0; i < 6; ++i) {
        EXPECT_EQ(m.records[i].type, types[i]) << i;
        EXPECT_EQ(m.records[i].offset, offsets[i]) << i;
    }

    EXPECT_EQ(std::get<EmfWindowExt>(m.records[1].data).extent, (EmfSize{3898, 351}));

    const auto& font = std::get<EmfCreateFont>(m.records[2].data);
    EXPECT_EQ(font.ihFont, 1u);
    EXPECT_EQ(font.height, -100);
    EXPECT_EQ(font.width, 0);
    EXPECT_EQ(font.font, (MetafileFont{"Arial", 700, true, 204}));

    EXPECT_EQ(std::get<EmfSelectObject>(m.records[3].data).ihObject, 1u);

    const auto& run = std::get<EmfText>(m.records[4].data);
    EXPECT_EQ(run.reference, (EmfPoint{100, 250}));
    EXPECT_EQ(run.options, kEtoClipped);
    EXPECT_EQ(run.clip, (EmfRect{0, 0, 3898, 351}));
    EXPECT_EQ(run.graphicsMode, 1u);
    EXPECT_EQ(run.text, u"Ж!");
    EXPECT_EQ(run.dx, (std::vector<std::int32_t>{77, 33}));
}

TEST(ReadEmf, ReadsOurStatementShape) {
    const auto read = readEmf(sampleEmf());
    ASSERT_TRUE(read.ok()) << read.error().describe();
    using T = EmfRecordType;
    const std::vector<T> expected = {T::Header,
                                     T::GdiComment,
                                     T::GdiComment,
                                     T::SetTextAlign,
                                     T::SetWindowOrgEx,
                                     T::SetWindowExtEx,
                                     T::SelectObject,
                                     T::SetBkMode,
                                     T::ExtCreateFontIndirectW,
                                     T::SelectObject,
                                     T::SetTextColor,
                                     T::ExtTextOutW,
                                     T::SaveDc,
                                     T::IntersectClipRect,
                                     T::RestoreDc,
                                     T::ExtCreateFontIndirectW,
                                     T::SelectObject,
                                     T::ExtTextOutW,
                                     T::SelectObject,
                                     T::ExtTextOutW,
                                     T::SelectObject,
                                     T::GdiComment,
                                     T::GdiComment,
                                     T::Eof};
    std::vector<T> types;
    for (const auto& r : read.value().records)
        types.push_back(r.type);
    EXPECT_EQ(types, expected);

    const auto& records = read.value().records;
    const auto& comment = std::get<EmfComment>(records[1].data);
    EXPECT_EQ(comment.dataSize, 16u);
    EXPECT_EQ(comment.identifier, 0x2B464D45u); // "EMF+"
    EXPECT_EQ(std::get<EmfTextAlign>(records[3].data).mode, kTaBaseline);
    EXPECT_EQ(std::get<EmfBkMode>(records[7].data).mode, 1u);
    EXPECT_EQ(std::get<EmfClipRect>(records[13].data).rect, (EmfRect{0, 0, 3898, 351}));
    EXPECT_EQ(std::get<EmfRestoreDc>(records[14].data).relative, -1);
    EXPECT_EQ(std::get<EmfCreateFont>(records[15].data).font.face, "Arial");
}

TEST(ReadEmf, StockObjectsKeepTheTopBit) {
    const auto read = readEmf(sampleEmf());
    ASSERT_TRUE(read.ok()) << read.error().describe();
    const auto& select = std::get<EmfSelectObject>(read.value().records[6].data);
    EXPECT_EQ(select.ihObject, kDeviceDefaultFont);
    EXPECT_TRUE(select.isStock());
    EXPECT_EQ(select.stockIndex(), 14u);
    EXPECT_TRUE(select.isStockFont());
}

TEST(ReadEmf, TellsStockFontsFromOtherStockObjects) {
    struct Row {
        std::uint32_t ih;
        bool font;
    };
    const Row rows[] = {{0x80000000, false}, {0x80000008, false}, {0x8000000A, true},
                        {0x8000000D, true},  {0x8000000E, true},  {0x8000000F, false},
                        {0x80000010, true},  {0x80000011, true},  {0x80000013, false},
                        {1, false}};
    for (const auto& row : rows)
        EXPECT_EQ(EmfSelectObject{row.ih}.isStockFont(), row.font) << std::hex << row.ih;
}

TEST(ReadEmf, FaceNamesBecomeUtf8UpToTheirEnd) {
    struct Row {
        const char* name;
        std::u16string face;
        std::u16string tail;
        std::string expected;
    };
    const Row rows[] = {
        {"plain", u"Book Antiqua", u"", "Book Antiqua"},
        {"junk after the end", u"Arial", u"XYZ", "Arial"},
        {"Cyrillic", u"Тест", u"", "\xD0\xA2\xD0\xB5\xD1\x81\xD1\x82"},
        {"lone surrogate", std::u16string(1, char16_t{0xD800}) + u"a", u"",
         "\xEF\xBF\xBD"
         "a"},
        {"pair", u"\U0001F600", u"", "\xF0\x9F\x98\x80"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        EmfWriter w(2);
        w.font(1, -100, 400, false, row.face, row.tail);
        const auto read = readEmf(w.finish());
        ASSERT_TRUE(read.ok()) << read.error().describe();
        EXPECT_EQ(std::get<EmfCreateFont>(read.value().records[1].data).font.face, row.expected);
    }
}

TEST(ReadEmf, FaceNameFillingAllThirtyTwoUnitsHasNoEnd) {
    EmfWriter w(2);
    const std::size_t at = w.font(1, -100, 400, false, u"");
    for (std::size_t i = 0; i < 32; ++i) {
        w.bytes().bytes()[at + 40 + 2 * i] = std::byte{'a'};
        w.bytes().bytes()[at + 41 + 2 * i] = std::byte{0};
    }
    const auto read = readEmf(w.finish());
    ASSERT_TRUE(read.ok()) << read.error().describe();
    EXPECT_EQ(std::get<EmfCreateFont>(read.value().records[1].data).font.face,
              std::string(32, 'a'));
}

TEST(ReadEmf, RunWithoutClipRectangleAndWithBuffersOutOfOrder) {
    EmfWriter w(2);
    w.windowExt(kSpaceWidth, kSpaceHeight);
    Bytes body;
    body.i32(0)
        .i32(0)
        .i32(-1)
        .i32(-1) // bounds
        .u32(1)  // graphics mode
        .u32(0)
        .u32(0) // scales
        .i32(5)
        .i32(6)          // reference point
        .u32(3)          // characters
        .u32(72)         // string offset: after the advances
        .u32(kEtoNoRect) // no clip rectangle follows
        .u32(60)         // advances offset, right after the fixed part
        .i32(10)
        .i32(20)
        .i32(30) // advances
        .utf16(u"abc")
        .u16(0); // string, padded
    const std::size_t at = w.raw(84, body);
    const auto read = readEmf(w.finish());
    ASSERT_TRUE(read.ok()) << read.error().describe();
    const auto& records = read.value().records;
    ASSERT_EQ(records[2].offset, at);
    const auto& run = std::get<EmfText>(records[2].data);
    EXPECT_FALSE(run.clip.has_value());
    EXPECT_EQ(run.reference, (EmfPoint{5, 6}));
    EXPECT_EQ(run.text, u"abc");
    EXPECT_EQ(run.dx, (std::vector<std::int32_t>{10, 20, 30}));
}

TEST(ReadEmf, EmptyRunNeedsNoBuffers) {
    EmfWriter w(2);
    w.windowExt(kSpaceWidth, kSpaceHeight);
    const std::size_t at = w.text(0, 0, u"", {});
    w.bytes().setU32(at + 48, 0xFFFFFFF0); // string offset nowhere
    w.bytes().setU32(at + 72, 0xFFFFFFF0); // advances offset nowhere
    const auto read = readEmf(w.finish());
    ASSERT_TRUE(read.ok()) << read.error().describe();
    EXPECT_TRUE(std::get<EmfText>(read.value().records[2].data).text.empty());
}

TEST(ReadEmf, OlderHeaderFormsHaveNoMicrometres) {
    struct Row {
        const char* name;
        std::uint32_t size;
        std::uint32_t offDescription;
        bool micrometres;
    };
    const Row rows[] = {
        {"88 bytes", 88, 0, false},
        {"100 bytes", 100, 0, false},
        {"108 bytes", 108, 0, true},
        {"description at 100", 112, 100, false},
        {"description at 108", 112, 108, true},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        Bytes b;
        EmfWriter w(1);
        const auto whole = w.finish();
        b.append(std::span(whole).first(std::min<std::size_t>(row.size, 108)));
        b.zeros(row.size - std::min<std::uint32_t>(row.size, 108));
        b.setU32(4, row.size);
        b.setU32(64, row.offDescription);
        if (row.offDescription != 0)
            b.setU32(60, 2); // two characters of description
        b.append(std::span(whole).last(20));
        const auto read = readEmf(b);
        ASSERT_TRUE(read.ok()) << read.error().describe();
        EXPECT_EQ(read.value().header.micrometers.has_value(), row.micrometres);
        EXPECT_EQ(read.value().header.millimeters, (EmfSize{201, 288}));
    }
}

// A damaged file and the offset its fault must be reported at.
struct Broken {
    std::vector<std::byte> file;
    std::size_t offset;
};

struct EmfDamage {
    const char* name;
    std::function<Broken()> make;
    ReadErrorCode code;
    std::int64_t value;
};

// Record types, to find the record a damage goes to.
enum : std::uint32_t { kHeader = 1, kEof = 14, kTextAlign = 22, kComment = 70, kText = 84 };

// Offset of the first record of `type` in a file.
std::size_t firstOf(const std::vector<std::byte>& file, std::uint32_t type) {
    Bytes b;
    b.append(file);
    for (std::size_t at = 0; at + 8 <= b.size(); at += b.getU32(at + 4))
        if (b.getU32(at) == type)
            return at;
    ADD_FAILURE() << "no record of type " << type;
    return 0;
}

// The sample with its first record of `type` damaged; the fault is reported at that record.
Broken sampleWith(std::uint32_t type, const std::function<void(Bytes&, std::size_t)>& damage) {
    Bytes b;
    b.append(sampleEmf());
    const std::size_t at = firstOf(b.bytes(), type);
    damage(b, at);
    return {b.bytes(), at};
}

// The sample with the 32-bit field `field` bytes into its first record of `type` set to `value`.
std::function<Broken()> samplePatched(std::uint32_t type, std::size_t field, std::uint32_t value) {
    return [=] {
        return sampleWith(type, [=](Bytes& b, std::size_t at) { b.setU32(at + field, value); });
    };
}

// A finished file whose last record before the end is the one `add` writes.
template <class Add> Broken written(Add add, std::uint16_t handles = 2) {
    EmfWriter w(handles);
    const std::size_t at = add(w);
    return {w.finish(), at};
}

// The same, with the drawing space set first.
template <class Add> Broken withExtent(Add add, std::uint16_t handles = 2) {
    return written(
        [&](EmfWriter& w) {
            w.windowExt(kSpaceWidth, kSpaceHeight);
            return add(w);
        },
        handles);
}

// The drawing space set, then a record of `type` holding `body`.
Broken rawAfterExtent(std::uint32_t type, const Bytes& body) {
    return withExtent([&](EmfWriter& w) { return w.raw(type, body); });
}

const EmfDamage kDamage[] = {
    {"empty file",
     [] {
         return Broken{{}, 0};
     },
     ReadErrorCode::EmfRecordHeadCut, 0},
    {"head cut after the header",
     [] {
         const auto whole = sampleEmf();
         Bytes b;
         b.append(std::span(whole).first(108)).u32(9);
         return Broken{b.bytes(), 108};
     },
     ReadErrorCode::EmfRecordHeadCut, 4},
    {"first record not a header",
     [] {
         Bytes b;
         b.u32(9).u32(16).pair(1, 1);              // EMR_SETWINDOWEXTEX
         b.u32(14).u32(20).u32(0).u32(16).u32(20); // EMR_EOF
         return Broken{b.bytes(), 0};
     },
     ReadErrorCode::EmfMissingHeader, 9},
    {"no signature", samplePatched(kHeader, 40, 0x464D4521), ReadErrorCode::EmfBadSignature,
     0x464D4521},
    {"header shorter than 88", samplePatched(kHeader, 4, 84), ReadErrorCode::EmfRecordTooShort, 84},
    {"size not a multiple of 4", samplePatched(kTextAlign, 4, 13),
     ReadErrorCode::EmfSizeNotMultipleOf4, 13},
    {"size 4", samplePatched(kTextAlign, 4, 4), ReadErrorCode::EmfSizeTooSmall, 4},
    {"size 0", samplePatched(kTextAlign, 4, 0), ReadErrorCode::EmfSizeTooSmall, 0},
    {"last record past the end", samplePatched(kEof, 4, 24), ReadErrorCode::EmfRecordPastEnd, 24},
    {"header past the end", samplePatched(kHeader, 4, 0xFFFFFFFC), ReadErrorCode::EmfRecordPastEnd,
     0xFFFFFFFC},
    {"unknown type", [] { return rawAfterExtent(27, Bytes().pair(1, 2)); },
     ReadErrorCode::EmfUnknownRecordType, 27},
    {"second header", [] { return rawAfterExtent(1, Bytes().zeros(100)); },
     ReadErrorCode::EmfSecondHeader, 0},
    {"window extent record too short", [] { return rawAfterExtent(9, Bytes().i32(3898)); },
     ReadErrorCode::EmfRecordTooShort, 12},
    {"font record too short", [] { return rawAfterExtent(82, Bytes().u32(1).i32(-100)); },
     ReadErrorCode::EmfRecordTooShort, 16},
    {"run too short for its clip rectangle", [] { return rawAfterExtent(84, Bytes().zeros(52)); },
     ReadErrorCode::EmfRecordTooShort, 60},
    {"end of file too short",
     [] {
         const auto whole = sampleEmf();
         Bytes b;
         b.append(std::span(whole).first(108)).u32(14).u32(12).u32(0);
         return Broken{b.bytes(), 108};
     },
     ReadErrorCode::EmfRecordTooShort, 12},
    {"no end of file",
     [] {
         const auto whole = sampleEmf();
         return Broken{std::vector<std::byte>(whole.begin(), whole.end() - 20), whole.size() - 20};
     },
     ReadErrorCode::EmfMissingEof, 0},
    {"bytes after the end of file",
     [] {
         Bytes b;
         b.append(sampleEmf()).u32(0);
         return Broken{b.bytes(), b.size() - 4};
     },
     ReadErrorCode::EmfDataAfterEof, 4},
    {"extent 0 across",
     [] { return written([](EmfWriter& w) { return w.windowExt(0, kSpaceHeight); }); },
     ReadErrorCode::EmfBadExtent, 0},
    {"extent negative down",
     [] { return written([](EmfWriter& w) { return w.windowExt(kSpaceWidth, -351); }); },
     ReadErrorCode::EmfBadExtent, -351},
    {"text before any extent",
     [] {
         return written([](EmfWriter& w) {
             w.font(1, -100, 400, false, u"Arial");
             w.select(1);
             return w.text(0, 100, u"a", {50});
         });
     },
     ReadErrorCode::EmfNoDrawingSpace, 0},
    {"extent undone by a restore",
     [] {
         return written([](EmfWriter& w) {
             w.saveDc();
             w.windowExt(kSpaceWidth, kSpaceHeight);
             w.restoreDc(-1);
             return w.text(0, 100, u"a", {50});
         });
     },
     ReadErrorCode::EmfNoDrawingSpace, 0},
    {"font number 0",
     [] { return withExtent([](EmfWriter& w) { return w.font(0, -100, 400, false, u"A"); }, 3); },
     ReadErrorCode::EmfBadObjectNumber, 0},
    {"font number not below the handle count",
     [] { return withExtent([](EmfWriter& w) { return w.font(3, -100, 400, false, u"A"); }, 3); },
     ReadErrorCode::EmfBadObjectNumber, 3},
    {"selects object 0", [] { return withExtent([](EmfWriter& w) { return w.select(0); }, 3); },
     ReadErrorCode::EmfBadObjectNumber, 0},
    {"selects past the object table",
     [] { return withExtent([](EmfWriter& w) { return w.select(70000); }, 3); },
     ReadErrorCode::EmfBadObjectNumber, 70000},
    {"selects a font never created",
     [] {
         return withExtent(
             [](EmfWriter& w) {
                 w.font(1, -100, 400, false, u"A");
                 return w.select(2);
             },
             3);
     },
     ReadErrorCode::EmfFontNotCreated, 2},
    {"selects stock object 9",
     [] { return withExtent([](EmfWriter& w) { return w.select(0x80000009); }, 3); },
     ReadErrorCode::EmfUnknownStockObject, 9},
    {"selects stock object 20",
     [] { return withExtent([](EmfWriter& w) { return w.select(0x80000014); }, 3); },
     ReadErrorCode::EmfUnknownStockObject, 20},
    {"restores with nothing saved",
     [] { return withExtent([](EmfWriter& w) { return w.restoreDc(-1); }); },
     ReadErrorCode::EmfBadRestore, -1},
    {"restores further back than saved",
     [] {
         return withExtent([](EmfWriter& w) {
             w.saveDc();
             return w.restoreDc(-2);
         });
     },
     ReadErrorCode::EmfBadRestore, -2},
    {"restores by absolute number",
     [] {
         return withExtent([](EmfWriter& w) {
             w.saveDc();
             return w.restoreDc(1);
         });
     },
     ReadErrorCode::EmfBadRestore, 1},
    {"string past its record",
     [] {
         return sampleWith(kText, [](Bytes& b, std::size_t at) {
             b.setU32(at + 48, b.getU32(at + 4) - 10); // seven characters need 14 bytes
         });
     },
     ReadErrorCode::EmfStringOutsideRecord, 7},
    {"string over the fixed fields", samplePatched(kText, 48, 8),
     ReadErrorCode::EmfStringOutsideRecord, 7},
    {"character count absurd", samplePatched(kText, 44, 0x80000000),
     ReadErrorCode::EmfStringOutsideRecord, 0x80000000LL},
    {"advances past their record",
     [] {
         return sampleWith(kText, [](Bytes& b, std::size_t at) {
             b.setU32(at + 72, b.getU32(at + 4) - 20); // seven advances need 28 bytes
         });
     },
     ReadErrorCode::EmfDxOutsideRecord, 7},
    {"advances offset wraps", samplePatched(kText, 72, 0xFFFFFFFC),
     ReadErrorCode::EmfDxOutsideRecord, 7},
    {"glyph indices", samplePatched(kText, 52, 0x14), ReadErrorCode::EmfUnsupportedTextOptions,
     0x14},
    {"x-y advances", samplePatched(kText, 52, 0x2004), ReadErrorCode::EmfUnsupportedTextOptions,
     0x2004},
    {"comment longer than its record", samplePatched(kComment, 8, 17),
     ReadErrorCode::EmfCommentOutsideRecord, 17},
};

TEST(ReadEmf, RefusesDamagedFilesNamingTheRecord) {
    for (const auto& row : kDamage) {
        SCOPED_TRACE(row.name);
        const Broken broken = row.make();
        const auto read = readEmf(broken.file);
        ASSERT_FALSE(read.ok());
        EXPECT_EQ(read.error().code, row.code) << read.error().describe();
        EXPECT_EQ(read.error().offset, broken.offset) << read.error().describe();
        EXPECT_EQ(read.error().value, row.value) << read.error().describe();
    }
}

TEST(ReadEmf, AcceptsEveryKnownStockObjectAndRecreatedFonts) {
    EmfWriter w(2);
    w.windowExt(kSpaceWidth, kSpaceHeight);
    for (std::uint32_t n = 0; n <= 19; ++n)
        if (n != 9)
            w.select(0x80000000 | n);
    w.font(1, -100, 400, false, u"Arial");
    w.font(1, -100, 700, false, u"Arial"); // the same slot again
    w.select(1);
    const auto read = readEmf(w.finish());
    ASSERT_TRUE(read.ok()) << read.error().describe();
    EXPECT_EQ(read.value().records.size(), 1u + 1u + 19u + 3u + 1u);
}

TEST(ReadEmf, EveryCutFileIsRefused) {
    expectEveryCutFails(sampleEmf(), readEmf);
    expectEveryCutFails(smallestFile(), readEmf);
}

} // namespace
} // namespace kt::test
