// Draws the sixteen question pictures and the program's icon from their sources in
// question_sources.cpp and writes them into the assets folder:
//
//   kt_picture_generator [--fonts DIR]... [--check] ASSETS_DIR
//
// With --check nothing is written; the program says which files differ from what it would
// write and fails if any does.

#include "tools/picture_generator/bmp_writer.h"
#include "tools/picture_generator/emf_writer.h"
#include "tools/picture_generator/font_library.h"
#include "tools/picture_generator/graph_renderer.h"
#include "tools/picture_generator/ico_writer.h"
#include "tools/picture_generator/icon_renderer.h"
#include "tools/picture_generator/question_sources.h"
#include "tools/picture_generator/statement_renderer.h"

#include <QBuffer>
#include <QImage>

#include <cstdio>
#include <cstring>
#include <exception>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <stdexcept>
#include <string>
#include <vector>

namespace fs = std::filesystem;
using namespace kt::pictures;

namespace {

// Metafile text is measured with the outlines that the program draws it with (Liberation 2,
// built into it). Bitmap text is drawn from Liberation 1: the same metrics, but its instructions
// keep every stem of the Cyrillic lower case one pixel wide at 16 px, where those of Liberation 2
// widen и, н, п and в to two and make words with them look bold.
const std::vector<std::string> kOutlineDirectories = {
    "/usr/share/fonts/truetype/liberation2",
    "/usr/share/fonts/opentype/tex-gyre",
    "/usr/share/texmf/fonts/opentype/public/tex-gyre",
};
const std::vector<std::string> kScreenDirectories = {
    "/usr/share/fonts/truetype/liberation",
    "/usr/share/fonts/opentype/tex-gyre",
    "/usr/share/texmf/fonts/opentype/public/tex-gyre",
};

constexpr int kDesktopIconSizes[] = {48, 64, 128, 256};
// The sizes a browser asks of a web app's manifest to offer the site for installing.
constexpr int kWebAppIconSizes[] = {192, 512};

struct Output {
    fs::path path;
    std::vector<std::byte> bytes;
};

std::vector<std::byte> png(const std::vector<Rgba>& pixels, int size) {
    QImage image(size, size, QImage::Format_ARGB32);
    for (int y = 0; y < size; ++y)
        for (int x = 0; x < size; ++x) {
            const Rgba p = pixels[static_cast<std::size_t>(y * size + x)];
            image.setPixel(x, y, qRgba(p.r, p.g, p.b, p.a));
        }
    QByteArray data;
    QBuffer buffer(&data);
    buffer.open(QIODevice::WriteOnly);
    if (!image.save(&buffer, "PNG"))
        throw std::runtime_error("cannot encode PNG");
    const auto* first = reinterpret_cast<const std::byte*>(data.constData());
    return {first, first + data.size()};
}

// Runs draw, naming the file in any error it raises.
template <typename Draw> std::vector<std::byte> named(std::string_view fileName, Draw draw) {
    try {
        return draw();
    } catch (const std::exception& e) {
        throw std::runtime_error(std::string(fileName) + ": " + e.what());
    }
}

std::vector<Output> drawEverything(const FontLibrary& fonts, const fs::path& assets) {
    std::vector<Output> outputs;
    const fs::path pictures = assets / "pictures";
    for (const StatementSource& source : statementSources()) {
        outputs.push_back({pictures / source.fileName, named(source.fileName, [&] {
                               return source.format == PictureFormat::Bitmap
                                          ? writeBmp(renderStatementBitmap(source, fonts))
                                          : writeEmf(buildStatementMetafile(source, fonts));
                           })});
    }
    for (const GraphSource& source : graphSources())
        outputs.push_back({pictures / source.fileName, named(source.fileName, [&] {
                               return writeBmp(renderGraph(source, fonts));
                           })});

    const fs::path icon = assets / "icon";
    const std::vector<IconImage> images = {renderIcon(32, 1), renderIcon(32, 4), renderIcon(16, 4)};
    outputs.push_back({icon / "kinematics-test.ico", writeIco(images)});
    for (int size : kDesktopIconSizes)
        outputs.push_back({icon / ("kinematics-test-" + std::to_string(size) + ".png"),
                           png(renderSmoothIcon(size), size)});
    for (int size : kWebAppIconSizes)
        outputs.push_back({icon / ("kinematics-test-" + std::to_string(size) + ".png"),
                           png(renderSmoothIcon(size), size)});
    return outputs;
}

std::vector<std::byte> readFile(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return {};
    std::vector<char> chars((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    std::vector<std::byte> bytes(chars.size());
    std::memcpy(bytes.data(), chars.data(), chars.size());
    return bytes;
}

void writeFile(const Output& output) {
    fs::create_directories(output.path.parent_path());
    std::ofstream out(output.path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(output.bytes.data()),
              static_cast<std::streamsize>(output.bytes.size()));
    if (!out)
        throw std::runtime_error("cannot write " + output.path.string());
}

int usage() {
    std::fprintf(stderr, "usage: kt_picture_generator [--fonts DIR]... [--check] ASSETS_DIR\n");
    return 2;
}

} // namespace

int main(int argc, char** argv) {
    std::vector<std::string> fontDirectories;
    bool check = false;
    fs::path assets;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg == "--fonts" && i + 1 < argc)
            fontDirectories.emplace_back(argv[++i]);
        else if (arg == "--check")
            check = true;
        else if (!arg.starts_with("-") && assets.empty())
            assets = arg;
        else
            return usage();
    }
    if (assets.empty())
        return usage();
    // Directories named with --fonts come first for both sets.
    auto withDefaults = [&](const std::vector<std::string>& defaults) {
        std::vector<std::string> all = fontDirectories;
        all.insert(all.end(), defaults.begin(), defaults.end());
        return all;
    };

    try {
        const FontLibrary fonts(withDefaults(kOutlineDirectories),
                                withDefaults(kScreenDirectories));
        int differing = 0;
        for (const Output& output : drawEverything(fonts, assets)) {
            if (!check) {
                writeFile(output);
                std::printf("wrote %s (%zu bytes)\n", output.path.c_str(), output.bytes.size());
            } else if (readFile(output.path) != output.bytes) {
                std::printf("out of date: %s\n", output.path.c_str());
                ++differing;
            }
        }
        return differing == 0 ? 0 : 1;
    } catch (const std::exception& e) {
        std::fprintf(stderr, "kt_picture_generator: %s\n", e.what());
        return 1;
    }
}
