#include "tools/picture_generator/graph_renderer.h"

#include "tools/picture_generator/text_painter.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <stdexcept>
#include <string>

namespace kt::pictures {

namespace {

constexpr int kValueSize = 13;
constexpr int kCaptionSize = 15;
constexpr int kTickHalf = 3; // a tick reaches this far either side of its axis
constexpr int kArrowBeyondGrid = 13;
constexpr int kArrowLength = 7;
constexpr int kArrowHalfWidth = 3;
constexpr int kValueGap = 5; // between an axis and its values
constexpr int kLabelGap = 4; // between a line's end and its label

void horizontal(RgbImage& image, int x0, int x1, int y, Rgb colour) {
    for (int x = x0; x <= x1; ++x)
        image.set(x, y, colour);
}

void vertical(RgbImage& image, int x, int y0, int y1, Rgb colour) {
    for (int y = y0; y <= y1; ++y)
        image.set(x, y, colour);
}

// A one-pixel line with no smoothing.
void line(RgbImage& image, int x0, int y0, int x1, int y1, Rgb colour) {
    const int dx = std::abs(x1 - x0), sx = x0 < x1 ? 1 : -1;
    const int dy = -std::abs(y1 - y0), sy = y0 < y1 ? 1 : -1;
    int error = dx + dy;
    for (;;) {
        image.set(x0, y0, colour);
        if (x0 == x1 && y0 == y1)
            break;
        const int e2 = 2 * error;
        if (e2 >= dy) {
            error += dy;
            x0 += sx;
        }
        if (e2 <= dx) {
            error += dx;
            y0 += sy;
        }
    }
}

// A graph line two pixels thick measured square to its own direction, so that a sloping line is
// as heavy as a level one: every pixel whose centre lies within a pixel of the line's middle,
// between its two ends. The middle runs half a pixel above a level line's pixel row and half a
// pixel right of an upright line's column, so that a level line covers that row and the one
// above it, as a one-pixel line and its second pixel would.
void thickLine(RgbImage& image, int x0, int y0, int x1, int y1, Rgb colour) {
    const double length = std::hypot(x1 - x0, y1 - y0);
    if (length == 0)
        return;
    const double ux = (x1 - x0) / length, uy = (y1 - y0) / length;
    // Of the two normals, the one pointing up and to the right.
    double nx = -uy, ny = ux;
    if (nx - ny < 0) {
        nx = -nx;
        ny = -ny;
    }
    const double ax = x0 + nx / 2, ay = y0 + ny / 2;
    const int left = std::min(x0, x1) - 2, right = std::max(x0, x1) + 2;
    const int top = std::min(y0, y1) - 2, bottom = std::max(y0, y1) + 2;
    constexpr double kHalfWidth = 1.0, kSlack = 1e-9;
    for (int y = top; y <= bottom; ++y)
        for (int x = left; x <= right; ++x) {
            const double along = (x - ax) * ux + (y - ay) * uy;
            const double across = (x - ax) * nx + (y - ay) * ny;
            if (along >= -kSlack && along <= length + kSlack &&
                std::abs(across) <= kHalfWidth - kSlack)
                image.set(x, y, colour);
        }
}

class GraphPainter {
public:
    GraphPainter(const GraphSource& source, const FontLibrary& fonts)
        : m_source(source), m_painter(fonts),
          m_image(source.width, source.height, source.palette.background) {}

    int x(double t) const {
        return m_source.originX +
               static_cast<int>(std::lround(t / m_source.time.step * m_source.cellWidth));
    }
    int y(double v) const {
        return m_source.originY -
               static_cast<int>(std::lround(v / m_source.velocity.step * m_source.cellHeight));
    }

    RgbImage paint() {
        const GraphSource& s = m_source;
        const GraphPalette& p = s.palette;
        const int right = x(s.time.max), top = y(s.velocity.max);
        const int ox = s.originX, oy = s.originY;

        for (int t = s.time.step; t <= s.time.max; t += s.time.step)
            vertical(m_image, x(t), top, oy - 1, p.grid);
        for (int v = s.velocity.step; v <= s.velocity.max; v += s.velocity.step)
            horizontal(m_image, ox + 1, right, y(v), p.grid);

        const int tipY = top - kArrowBeyondGrid, tipX = right + kArrowBeyondGrid;
        vertical(m_image, ox, tipY, oy, p.ink);
        line(m_image, ox, tipY, ox - kArrowHalfWidth, tipY + kArrowLength, p.ink);
        line(m_image, ox, tipY, ox + kArrowHalfWidth, tipY + kArrowLength, p.ink);
        horizontal(m_image, ox, tipX, oy, p.ink);
        line(m_image, tipX, oy, tipX - kArrowLength, oy - kArrowHalfWidth, p.ink);
        line(m_image, tipX, oy, tipX - kArrowLength, oy + kArrowHalfWidth, p.ink);
        for (int t = s.time.step; t <= s.time.max; t += s.time.step)
            vertical(m_image, x(t), oy - kTickHalf, oy + kTickHalf, p.ink);
        for (int v = s.velocity.step; v <= s.velocity.max; v += s.velocity.step)
            horizontal(m_image, ox - kTickHalf, ox + kTickHalf, y(v), p.ink);

        for (const GraphLine& l : s.lines)
            thickLine(m_image, x(l.t0), y(l.v0), x(l.t1), y(l.v1), p.line);

        const TextStyle values{Face::Serif, kValueSize, false, p.ink, true};
        for (int v = s.velocity.valueStep; v <= s.velocity.max; v += s.velocity.valueStep) {
            const std::string text = std::to_string(v);
            place(values, text, ox - kValueGap - inkOf(values, text).width() + 1, y(v),
                  Anchor::Left, Anchor::Middle);
        }
        const int valuesTop = oy + kValueGap;
        for (int t = 0; t <= s.time.max; t += s.time.valueStep)
            place(values, std::to_string(t), x(t), valuesTop, Anchor::Centre, Anchor::Top);
        const int valuesBaseline = valuesTop - inkOf(values, "0").top;

        place(values, "v, м/с", ox + kArrowHalfWidth + 3, tipY, Anchor::Left, Anchor::Top);
        placeOnBaseline(values, "t,с", tipX + 3, valuesBaseline);

        for (const GraphLine& l : s.lines) {
            if (l.label.empty())
                continue;
            const int ex = x(l.t1), ey = y(l.v1);
            PixelBox box;
            switch (l.place) {
            case LabelPlace::RightOfEnd:
                box = place(values, l.label, ex + kLabelGap, ey, Anchor::Left, Anchor::Middle);
                break;
            case LabelPlace::AboveEnd:
                box = place(values, l.label, ex, ey - kLabelGap, Anchor::Centre, Anchor::Bottom);
                break;
            case LabelPlace::AboveRightOfEnd:
                box = place(values, l.label, ex + kLabelGap - 1, ey - kLabelGap - 2, Anchor::Left,
                            Anchor::Bottom);
                break;
            }
            checkClearOfLines(box, l.label);
        }

        if (!s.caption.empty()) {
            const TextStyle caption{Face::Serif, kCaptionSize, false, p.ink, true};
            place(caption, s.caption, (ox + right) / 2, valuesBaseline + 6, Anchor::Centre,
                  Anchor::Top);
        }
        return m_image;
    }

private:
    enum class Anchor { Left, Centre, Top, Middle, Bottom };

    PixelBox inkOf(const TextStyle& style, std::string_view text) const {
        return m_painter.measure(style, decodeUtf8(text));
    }

    // Draws text so that its ink box meets the point as the anchors say.
    PixelBox place(const TextStyle& style, std::string_view text, int px, int py, Anchor horizontal,
                   Anchor vertical) {
        const PixelBox ink = inkOf(style, text);
        const int penX = (horizontal == Anchor::Left ? px : px - (ink.width() - 1) / 2) - ink.left;
        int baseline = py - ink.top;
        if (vertical == Anchor::Middle)
            baseline = py - (ink.top + ink.bottom) / 2;
        else if (vertical == Anchor::Bottom)
            baseline = py - ink.bottom;
        return draw(style, text, penX, baseline);
    }

    void placeOnBaseline(const TextStyle& style, std::string_view text, int left, int baseline) {
        draw(style, text, left - inkOf(style, text).left, baseline);
    }

    PixelBox draw(const TextStyle& style, std::string_view text, int penX, int baseline) {
        PixelBox box;
        m_painter.draw(m_image, style, decodeUtf8(text), penX, baseline, &box);
        for (const PixelBox& other : m_texts)
            if (box.intersects(other))
                throw std::runtime_error("\"" + std::string(text) + "\" overlaps other text");
        m_texts.push_back(box);
        return box;
    }

    void checkClearOfLines(const PixelBox& box, std::string_view label) const {
        for (int py = box.top - 1; py <= box.bottom + 1; ++py)
            for (int px = box.left - 1; px <= box.right + 1; ++px)
                if (m_image.contains(px, py) && m_image.at(px, py) == m_source.palette.line)
                    throw std::runtime_error("label " + std::string(label) + " touches a line");
    }

    const GraphSource& m_source;
    TextPainter m_painter;
    RgbImage m_image;
    std::vector<PixelBox> m_texts;
};

} // namespace

RgbImage renderGraph(const GraphSource& source, const FontLibrary& fonts) {
    return GraphPainter(source, fonts).paint();
}

} // namespace kt::pictures
