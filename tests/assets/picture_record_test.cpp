#include "assets/picture_record.h"

#include "assets/damaged_input.h"
#include "assets/test_files.h"

#include <gtest/gtest.h>

#include <functional>

namespace kt::test {
namespace {

TEST(PictureRecord, WrapsABitmap) {
    // A 2 × 2 bitmap has a stride of 8, so its file is 54 + 16 = 70 bytes.
    Bytes b;
    b.u32(8 + 70)                  // record length: marker, image length and the image
        .ascii("lt")               // kind marker
        .u16(0)                    //   and its two zero bytes
        .u32(70)                   // image length
        .append(patternBmp(2, 2)); // the image file
    ASSERT_EQ(b.size(), 12u + 70u);
    const auto read = readPictureRecord(b);
    ASSERT_TRUE(read.ok()) << read.error().describe();
    const auto* bmp = std::get_if<Bitmap>(&read.value());
    ASSERT_NE(bmp, nullptr);
    EXPECT_EQ(*bmp, readBmp(patternBmp(2, 2)).value());
}

TEST(PictureRecord, WrapsAMetafile) {
    const auto read = readPictureRecord(pictureRecordOf(sampleEmf()));
    ASSERT_TRUE(read.ok()) << read.error().describe();
    const auto* emf = std::get_if<Metafile>(&read.value());
    ASSERT_NE(emf, nullptr);
    EXPECT_EQ(emf->records.size(), readEmf(sampleEmf()).value().records.size());
}

TEST(PictureRecord, TellsTheFormatByTheFirstBytes) {
    struct Row {
        const char* name;
        std::vector<std::byte> image;
        ImageFormat format;
    };
    Bytes bm;
    bm.ascii("BM");
    Bytes emfLike;
    emfLike.u32(1).zeros(36).ascii(" EMF");
    Bytes emfWrongType;
    emfWrongType.u32(2).zeros(36).ascii(" EMF");
    Bytes emfShort;
    emfShort.u32(1).zeros(36).ascii(" EM");
    Bytes ico;
    ico.u16(0).u16(1).u16(1);
    const Row rows[] = {
        {"BM alone", bm.bytes(), ImageFormat::Bmp},
        {"B alone", {std::byte{'B'}}, ImageFormat::Unknown},
        {"bm in small letters", {std::byte{'b'}, std::byte{'m'}}, ImageFormat::Unknown},
        {"EMF header start", emfLike.bytes(), ImageFormat::Emf},
        {"signature after another type", emfWrongType.bytes(), ImageFormat::Unknown},
        {"signature cut", emfShort.bytes(), ImageFormat::Unknown},
        {"icon", ico.bytes(), ImageFormat::Unknown},
        {"nothing", {}, ImageFormat::Unknown},
    };
    for (const auto& row : rows)
        EXPECT_EQ(imageFormat(row.image), row.format) << row.name;
}

Bytes goodRecord() {
    Bytes b;
    b.append(pictureRecordOf(patternBmp(1, 1))); // 12 + 58 bytes
    return b;
}

const Damage kDamage[] = {
    {"marker", [](Bytes& b) { b.bytes()[5] = std::byte{'T'}; }, ReadErrorCode::RecordBadMarker, 4,
     0},
    {"marker's zero bytes", [](Bytes& b) { b.bytes()[7] = std::byte{1}; },
     ReadErrorCode::RecordBadMarker, 4, 0},
    {"record length", [](Bytes& b) { b.setU32(0, 65); }, ReadErrorCode::RecordLengthMismatch, 0,
     65},
    {"record length wraps with the image length",
     [](Bytes& b) {
         b.setU32(0, 4);
         b.setU32(8, 0xFFFFFFFC);
     },
     ReadErrorCode::RecordLengthMismatch, 0, 4},
    {"image past the end",
     [](Bytes& b) {
         b.setU32(0, 67);
         b.setU32(8, 59);
     },
     ReadErrorCode::RecordImagePastEnd, 8, 59},
    {"bytes after the image", [](Bytes& b) { b.u32(0); }, ReadErrorCode::RecordTrailingBytes, 70,
     4},
    {"unknown format", [](Bytes& b) { b.bytes()[12] = std::byte{'X'}; },
     ReadErrorCode::RecordUnknownFormat, 12, 0},
    // Faults inside the image keep the image's own offsets.
    {"image damaged", [](Bytes& b) { b.setU32(12 + 10, 53); }, ReadErrorCode::BmpBadPixelOffset, 10,
     53},
};

TEST(PictureRecord, RefusesDamagedRecordsNamingTheField) {
    expectEveryDamageRefused(kDamage, goodRecord(),
                             [](auto record) { return readPictureRecord(record); });
}

TEST(PictureRecord, ShortRecordReportsItsLength) {
    const auto read = readPictureRecord(std::span(goodRecord().bytes()).first(11));
    ASSERT_FALSE(read.ok());
    EXPECT_EQ(read.error().code, ReadErrorCode::RecordTooShort);
    EXPECT_EQ(read.error().offset, 11u);
    EXPECT_EQ(read.error().describe(),
              "picture record at offset 11: 11 bytes are too few for its 12-byte head");
}

TEST(PictureRecord, NamedReadPutsThePictureFirst) {
    Bytes emf;
    emf.append(sampleEmf());
    emf.setU32(108 + 4, 13); // the first comment's size
    const auto read = readPictureRecord(pictureRecordOf(emf.bytes()), "Form4.Picture1");
    ASSERT_FALSE(read.ok());
    EXPECT_EQ(read.error().describe(),
              "Form4.Picture1: EMF record at offset 108: size 13 is not a multiple of 4");
}

TEST(PictureRecord, EveryCutRecordIsRefused) {
    expectEveryCutFails(pictureRecordOf(patternBmp(3, 2)),
                        [](std::span<const std::byte> b) { return readPictureRecord(b); });
    expectEveryCutFails(pictureRecordOf(sampleEmf()),
                        [](std::span<const std::byte> b) { return readPictureRecord(b); });
}

} // namespace
} // namespace kt::test
