#include "tools/picture_generator/icon_renderer.h"

#include <algorithm>
#include <cassert>
#include <cmath>

namespace kt::pictures {

namespace {

enum class Region { Outside, Shadow, Outline, TitleBar, Client };

// The drawing on a 32-unit square, y downward.
constexpr double kTop = 4, kBottom = 24;
constexpr double kLeftAtTop = 9, kWidth = 20;
constexpr double kLean = 0.3; // the left edge moves this far left per unit down
constexpr double kTitleBottom = 9;
constexpr double kShadowOffset = 3;
constexpr double kDesignSize = 32;

double leftEdge(double y) {
    return kLeftAtTop - (y - kTop) * kLean;
}

bool insideWindow(double x, double y) {
    return y >= kTop && y < kBottom && x >= leftEdge(y) && x < leftEdge(y) + kWidth;
}

// outline: the outline's width in design units.
Region regionAt(double x, double y, double outline) {
    if (insideWindow(x, y)) {
        // A slanted edge is a little wider across than its perpendicular width.
        const double across = outline * std::sqrt(1 + kLean * kLean);
        const double left = leftEdge(y);
        if (y < kTop + outline || y >= kBottom - outline || x < left + across ||
            x >= left + kWidth - across)
            return Region::Outline;
        if (y < kTitleBottom)
            return Region::TitleBar;
        if (y < kTitleBottom + outline)
            return Region::Outline;
        return Region::Client;
    }
    if (insideWindow(x - kShadowOffset, y - kShadowOffset))
        return Region::Shadow;
    return Region::Outside;
}

// One screen pixel of outline at every size.
double outlineUnits(int size) {
    return std::max(1.0, size / kDesignSize) * kDesignSize / size;
}

constexpr std::uint8_t kVgaBlack = 0, kVgaDarkGrey = 7, kVgaCyan = 14, kVgaWhite = 15;
constexpr std::uint8_t kMonoBlack = 0, kMonoWhite = 1;

} // namespace

IconImage renderIcon(int size, int bitsPerPixel) {
    assert(bitsPerPixel == 1 || bitsPerPixel == 4);
    IconImage image{size, bitsPerPixel, {}, {}};
    const double scale = kDesignSize / size;
    const double outline = outlineUnits(size);
    for (int py = 0; py < size; ++py) {
        for (int px = 0; px < size; ++px) {
            const Region region = regionAt((px + 0.5) * scale, (py + 0.5) * scale, outline);
            std::uint8_t index = kVgaBlack;
            bool transparent = false;
            switch (region) {
            case Region::Outside:
                transparent = true;
                break;
            case Region::Shadow:
                if (bitsPerPixel == 4)
                    index = kVgaDarkGrey;
                else
                    transparent = (px + py) % 2 != 0; // half the pixels: a grey to the eye
                break;
            case Region::Outline:
                index = bitsPerPixel == 4 ? kVgaBlack : kMonoBlack;
                break;
            case Region::TitleBar:
                index = bitsPerPixel == 4 ? kVgaCyan : kMonoBlack;
                break;
            case Region::Client:
                index = bitsPerPixel == 4 ? kVgaWhite : kMonoWhite;
                break;
            }
            image.indices.push_back(transparent ? 0 : index);
            image.transparent.push_back(transparent);
        }
    }
    return image;
}

std::vector<Rgba> renderSmoothIcon(int size) {
    constexpr int kSamples = 4; // per pixel and direction
    const double scale = kDesignSize / size;
    const double outline = outlineUnits(size);
    std::vector<Rgba> pixels;
    for (int py = 0; py < size; ++py) {
        for (int px = 0; px < size; ++px) {
            double r = 0, g = 0, b = 0, a = 0;
            for (int sy = 0; sy < kSamples; ++sy) {
                for (int sx = 0; sx < kSamples; ++sx) {
                    const double x = (px + (sx + 0.5) / kSamples) * scale;
                    const double y = (py + (sy + 0.5) / kSamples) * scale;
                    double cr = 0, cg = 0, cb = 0;
                    switch (regionAt(x, y, outline)) {
                    case Region::Outside:
                        continue;
                    case Region::Shadow:
                        cr = cg = cb = 128;
                        break;
                    case Region::Outline:
                        break;
                    case Region::TitleBar:
                        cg = cb = 255;
                        break;
                    case Region::Client:
                        cr = cg = cb = 255;
                        break;
                    }
                    r += cr;
                    g += cg;
                    b += cb;
                    a += 1;
                }
            }
            Rgba out;
            if (a > 0) {
                out.r = static_cast<std::uint8_t>(std::lround(r / a));
                out.g = static_cast<std::uint8_t>(std::lround(g / a));
                out.b = static_cast<std::uint8_t>(std::lround(b / a));
                out.a = static_cast<std::uint8_t>(std::lround(255 * a / (kSamples * kSamples)));
            }
            pixels.push_back(out);
        }
    }
    return pixels;
}

} // namespace kt::pictures
