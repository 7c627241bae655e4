// Writes the fuzzers' seed files: small valid inputs of each kind, made by the same builders
// the reader tests use. Run it to refresh tests/fuzz/corpus after changing those builders:
//   fuzz_make_corpus tests/fuzz/corpus

#include "assets/bitmap.h"
#include "assets/metafile.h"
#include "assets/picture_record.h"
#include "assets/test_files.h"

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <span>
#include <string>

namespace {

using namespace kt::test;

// A seed must be valid, or the fuzzer starts from the first error instead of the whole reader.
template <class Read>
bool write(const std::filesystem::path& dir, const char* target, const char* name,
           std::span<const std::byte> bytes, Read read) {
    const auto result = read(bytes);
    if (!result.ok()) {
        std::fprintf(stderr, "%s/%s does not read: %s\n", target, name,
                     result.error().describe().c_str());
        return false;
    }
    const auto folder = dir / target;
    std::filesystem::create_directories(folder);
    std::ofstream out(folder / name, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()),
              static_cast<std::streamsize>(bytes.size()));
    return static_cast<bool>(out);
}

std::vector<std::byte> smallEmf() {
    EmfWriter w(2);
    w.windowExt(kSpaceWidth, kSpaceHeight);
    w.font(1, -100, 700, true, u"Arial");
    w.select(1);
    w.text(10, 100, u"Ab", {40, 40}, 0x0100); // without a clip rectangle
    w.select(0x8000000E);
    return w.finish();
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s CORPUS_DIR\n", argv[0]);
        return 2;
    }
    const std::filesystem::path dir = argv[1];
    const auto record = [](std::span<const std::byte> b) { return kt::readPictureRecord(b); };
    bool ok = true;
    ok = write(dir, "fuzz_bmp", "pattern_3x2.bmp", patternBmp(3, 2), kt::readBmp) && ok;
    ok = write(dir, "fuzz_bmp", "pattern_4x1.bmp", patternBmp(4, 1), kt::readBmp) && ok;
    ok = write(dir, "fuzz_emf", "statement.emf", sampleEmf(), kt::readEmf) && ok;
    ok = write(dir, "fuzz_emf", "small.emf", smallEmf(), kt::readEmf) && ok;
    ok = write(dir, "fuzz_picture_record", "bitmap.rec", pictureRecordOf(patternBmp(2, 2)),
               record) &&
         ok;
    ok = write(dir, "fuzz_picture_record", "metafile.rec", pictureRecordOf(smallEmf()), record) &&
         ok;
    ok = write(dir, "fuzz_paint", "bitmap.rec", pictureRecordOf(patternBmp(2, 2)), record) && ok;
    ok = write(dir, "fuzz_paint", "metafile.rec", pictureRecordOf(sampleEmf()), record) && ok;
    if (!ok)
        std::fprintf(stderr, "could not write every seed into %s\n", argv[1]);
    return ok ? 0 : 1;
}
